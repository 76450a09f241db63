#!/usr/bin/env bash
# Sets everything up, builds both presets and runs the main job.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native-release -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

calc=build/native/cli/Release/talvex-calc
if [ -x "$calc" ]; then
  echo "== talvex-calc"
  for e in '2+3*4' '7/2' '1/3' 'sqrt(2)' '200 + 10%' '12:30 + 01:45' '3D30'"'"' * 2' 'MCMXCIX + 1'; do
    printf '%s = %s\n' "$e" "$("$calc" --locale=en -- "$e" || true)"
  done
else
  ctest --test-dir build/native -C Release --output-on-failure -j "$jobs" | tail -n 3
fi
