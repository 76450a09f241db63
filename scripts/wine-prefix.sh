#!/usr/bin/env bash
# Creates the throwaway Wine prefix of a win32 build folder once, so the tests
# that follow do not race to initialise it.
set -euo pipefail
build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot --init >/dev/null 2>&1 || true
  timeout 120 wineserver --wait || true
fi
