#!/usr/bin/env bash
# Rewrites the expected outputs of the corpus from the native build. Review
# the diff by hand: an expected output is a claim about the right answer.
set -euo pipefail
cd "$(dirname "$0")/.."
calc=build/native/cli/Debug/talvex-calc
for file in tests/corpus/*.calc; do
  opts=$(sed -n '1s/^#!//p' "$file")
  # shellcheck disable=SC2086
  grep -v '^#' "$file" | "$calc" $opts > "${file%.calc}.out" || true
done
git diff --stat -- tests/corpus
