#!/usr/bin/env bash
# The about window at 96, 120, 144 and 192 dots per inch, each set through
# the Wine prefix's LogPixels: e2e_about_layout.exe builds the about window
# as the program does and checks that every label's text fits inside its
# control, also after a change of scale as a move to another monitor brings
# (to the next of the four); e2e_about_driver.exe shows the about window of the real
# Talvex.exe, which this script photographs into
# BUILD/artifacts/about-window-<dpi>dpi.png, and closes it with Esc and
# with Enter. Then, at 96 dpi and with the prefix's program for .html files
# removed, the messages of a "Справка" that cannot open the help file.
#   tests/e2e/run-about.sh build/win64|build/win32
set -uo pipefail
build_dir=$(cd "${1:?Windows build folder}" && pwd)
test_dir=$build_dir/tests/e2e
dist_dir=$build_dir/dist
artifacts=$build_dir/artifacts
step_timeout=${TALVEX_ABOUT_TEST_TIMEOUT:-120}
source "$(dirname "$0")/wine-session.sh"

for f in "$test_dir/e2e_about_driver.exe" "$test_dir/e2e_about_layout.exe" "$dist_dir/Talvex.exe"; do
  [ -f "$f" ] || { echo "FAIL $f is not built"; exit 1; }
done

started=$(date +%s)
session_prefix "$build_dir" "$test_dir/about-wineprefix"
session_display || exit 1
work=$session_work/about
mkdir -p "$work" "$artifacts"
failures=0

# Every process of the prefix reads it when it starts: they are started afresh.
use_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
}

# Runs a Windows program of the tests; meanwhile takes the screenshots it asks for.
run() {
  session_run_photographing "$work" "$artifacts" "$step_timeout" "$@"
  failures=$((failures + $?))
}

cd "$test_dir"
windows_dist=$(session_windows_path "$dist_dir")
windows_work=$(session_windows_path "$work")
scales=(96 120 144 192)
for i in "${!scales[@]}"; do
  dpi=${scales[$i]}
  echo "== $dpi dpi"
  use_dpi "$dpi"
  run e2e_about_layout.exe "$dpi" "${scales[$(((i + 1) % ${#scales[@]}))]}"
  run e2e_about_driver.exe about "$windows_dist" "$windows_work" "$dpi"
done

echo "== \"Справка\" without a program for .html files, and without the help file"
use_dpi 96
for key in 'HKCU\Software\Classes\.html' 'HKLM\Software\Classes\.html'; do
  wine reg delete "$key" /f >/dev/null 2>&1
done
run e2e_about_driver.exe help "$windows_dist" "$windows_work"

echo "about window test took $(($(date +%s) - started)) s ($failures failed)"
[ "$failures" -eq 0 ]
