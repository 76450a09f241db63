#!/usr/bin/env bash
# Creates the throwaway Wine prefix of a Windows build folder once, so the
# tests that follow do not race to initialise it: a 64-bit prefix for the
# win64 build, made by the 64-bit loader, which runs where 32-bit Wine cannot.
set -euo pipefail
build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  if grep -qx 'CMAKE_SIZEOF_VOID_P:INTERNAL=8' "$build_dir/CMakeCache.txt"; then
    WINEARCH=win64 timeout 300 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  else
    timeout 300 wineboot --init >/dev/null 2>&1 || true
  fi
  timeout 120 wineserver --wait || true
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-prefix.sh: the Wine prefix $WINEPREFIX could not be made (wineboot failed)" >&2
  exit 1
fi
