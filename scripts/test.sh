#!/usr/bin/env bash
# Every test: the native build with sanitizers, then both Windows builds, the
# 64-bit one's whole suite under 64-bit Wine and the 32-bit one's under 32-bit
# Wine where this machine runs it (otherwise its image checks, and one line
# that says why the rest did not run), then the scripts' own tests.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
source scripts/win32-runtime.sh

jobs=$(nproc)
without32=$(wine32_unusable_reason)
# A test that fails is run once more: the end-to-end tests synchronise with
# another process by waiting, and a loaded machine can miss a window; a real
# fault fails both times.
retry=(--repeat until-pass:2)

echo "== native: build (Debug, address and undefined-behaviour sanitizers) and test"
cmake --preset native >/dev/null
cmake --build --preset native-debug -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --preset native -j "$jobs"

echo "== win64: cross build and test under 64-bit Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
./scripts/wine-prefix.sh build/win64
if [ -z "$without32" ]; then
  ctest --preset win64 -j "$jobs" "${retry[@]}"
else
  # A 32-bit target application needs 32-bit Wine too.
  ctest --preset win64 -j "$jobs" "${retry[@]}" -LE wine32
fi

echo "== win32: cross build and test under 32-bit Wine${without32:+ (here its image checks only: see the end)}"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
if [ -z "$without32" ]; then
  ./scripts/wine-prefix.sh build/win32
  ctest --preset win32 -j "$jobs" "${retry[@]}"
else
  ctest --preset win32 -j "$jobs" -L image
fi

for extra in scripts/test-*.sh; do
  [ -e "$extra" ] || continue
  echo "== $extra"
  "$extra"
done
if [ -n "$without32" ]; then
  echo "== not run: the 32-bit Windows suite (all but its image checks) and the 64-bit build's case of a" \
       "32-bit target (e2e_wow64). Why: $without32"
fi
echo "== all tests passed"
