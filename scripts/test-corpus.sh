#!/usr/bin/env bash
# The corpus through both builds side by side: the outputs must be identical.
set -euo pipefail
cd "$(dirname "$0")/.."
native=build/native/cli/Debug/talvex-calc
win=build/win32/cli/talvex-calc.exe
run_win=build/win32/wine-run.sh
for file in tests/corpus/*.calc; do
  opts=$(sed -n '1s/^#!//p' "$file")
  input=$(grep -v '^#' "$file")
  # shellcheck disable=SC2086
  a=$(printf '%s\n' "$input" | "$native" $opts | od -An -tx1) || true
  # shellcheck disable=SC2086
  b=$(printf '%s\n' "$input" | "$run_win" "$win" $opts | od -An -tx1) || true
  if [ "$a" != "$b" ]; then
    echo "native and win32 outputs differ for $file"
    exit 1
  fi
done
echo "corpus: native and win32 outputs are byte-identical"
