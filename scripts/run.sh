#!/usr/bin/env bash
# Sets everything up, builds the native tool and both Windows builds and the
# packages (the Debian package of talvex-calc and the two Windows zips, in
# build/packages/), evaluates a few sample expressions with talvex-calc, then
# starts the Windows program under Wine: the 32-bit build where this machine
# runs 32-bit Wine, the 64-bit one otherwise.
# With a usable X display, Talvex.exe is started there and keeps running in
# the tray. Without one, a scripted demonstration runs in a virtual display:
# the end-to-end driver selects an expression in an edit control, presses
# Ctrl+NumLock and Shift+NumLock, prints the text before and after, and
# closes the program. Either way the script ends by itself; a demonstration
# that fails says what failed and why, and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
source scripts/win32-runtime.sh
jobs=$(nproc)
./scripts/package.sh

fail() { echo "run.sh: the demonstration failed: $*" >&2; exit 1; }

without32=$(wine32_unusable_reason)
if [ -z "$without32" ]; then
  build=win32
else
  build=win64
  echo "== the 64-bit build is shown: $without32"
fi
cmake --build --preset "$build" -j "$jobs"
./scripts/wine-prefix.sh "build/$build" || fail "the Wine prefix of build/$build could not be made"
dist=build/$build/dist
echo "== built $dist: $(cd "$dist" && echo *)"
echo "== packages: $(echo build/packages/*)"
echo "   install talvex-calc with: sudo apt install ./$(ls build/packages/talvex-calc_*.deb)"

echo "== talvex-calc (build/native/cli/Release/talvex-calc --locale=en)"
calc=build/native/cli/Release/talvex-calc
samples=('2+3*4' '7/2' '1/3' 'sqrt(2)' '200 + 10%' '12:30 + 01:45' "3D30' * 2" 'MCMXCIX + 1'
         'sin(PI/6)' 'Paymt(10, 2, 1000, 0, 0)' 'EncodeDate(31, 12, 1999) + 1' 'mediana(3, 1, 2)')
for e in "${samples[@]}"; do
  printf '  %-30s %s\n' "$e" "$("$calc" --locale=en -- "$e" || true)"
done
./scripts/demo-x11.sh

if [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX=$PWD/build/$build/wineprefix WINEDEBUG=-all
  (cd "$dist" && exec nohup wine Talvex.exe </dev/null >/dev/null 2>&1 &)
  echo "== Talvex.exe ($build) is starting on $DISPLAY; its calculator icon appears in the tray."
  echo "   Select an expression anywhere and press Shift+NumLock (Ctrl+NumLock reaches"
  echo "   Wine from an X keyboard as another key: see README, Running under Wine)."
  echo "   Quit with a right click on the icon, then \"Выход\"."
  exit 0
fi

echo "== no display: the scripted demonstration of the $build build in a virtual display"
source tests/e2e/wine-session.sh
session_prefix "$PWD/build/$build" "$PWD/build/$build/demo-wineprefix" || true
[ -f "$WINEPREFIX/system.reg" ] || fail "its Wine prefix $WINEPREFIX could not be made (wineboot failed)"
session_display || fail "the virtual display (Xvfb) did not start"
status=0
timeout --kill-after=10 120 wine "build/$build/tests/e2e/e2e_app_driver.exe" demo "$(session_windows_path "$dist")" ||
  status=$?
case $status in
  0) ;;
  124 | 137) fail "the driver did not end within 120 s and was killed" ;;
  *) fail "the driver ended with status $status (its lines above say which step went wrong)" ;;
esac
