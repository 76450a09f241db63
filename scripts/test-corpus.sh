#!/usr/bin/env bash
# The corpus through the native and the Windows builds side by side: the
# outputs must be identical. The 32-bit build joins where 32-bit Wine runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/win32-runtime.sh
native=build/native/cli/Debug/talvex-calc
builds=(win64)
if [ -z "$(wine32_unusable_reason)" ]; then builds+=(win32); fi
for build in "${builds[@]}"; do
  win=build/$build/cli/talvex-calc.exe
  run_win=build/$build/wine-run.sh
  for file in tests/corpus/*.calc; do
    opts=$(sed -n '1s/^#!//p' "$file")
    input=$(grep -v '^#' "$file")
    # shellcheck disable=SC2086
    a=$(printf '%s\n' "$input" | "$native" $opts | od -An -tx1) || true
    # shellcheck disable=SC2086
    b=$(printf '%s\n' "$input" | "$run_win" "$win" $opts | od -An -tx1) || true
    if [ "$a" != "$b" ]; then
      echo "native and $build outputs differ for $file"
      exit 1
    fi
  done
  echo "corpus: native and $build outputs are byte-identical"
done
