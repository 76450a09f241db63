#!/usr/bin/env bash
# The program's end-to-end test: the real Talvex.exe from the distribution
# folder, driven by e2e_app_driver.exe in a virtual X display, in a Wine
# prefix of its own. Takes the screenshot of the about window when the driver
# asks for it and keeps it as BUILD/artifacts/about-window.png.
#   tests/e2e/run-app.sh build/win64|build/win32
set -uo pipefail
build_dir=$(cd "${1:?Windows build folder}" && pwd)
test_dir=$build_dir/tests/e2e
dist_dir=$build_dir/dist
artifacts=$build_dir/artifacts
app_timeout=${TALVEX_APP_TEST_TIMEOUT:-180}
source "$(dirname "$0")/wine-session.sh"

for f in "$test_dir/e2e_app_driver.exe" "$dist_dir/Talvex.exe" "$dist_dir/Vantrel.dll" "$dist_dir/talvex.html"; do
  [ -f "$f" ] || { echo "FAIL $f is not built"; exit 1; }
done

started=$(date +%s)
session_prefix "$build_dir" "$test_dir/app-wineprefix"
session_display || exit 1
work=$session_work/app
mkdir -p "$work" "$artifacts"
rm -f "$artifacts/about-window.png"

cd "$test_dir"
session_run_photographing "$work" "$artifacts" "$app_timeout" e2e_app_driver.exe test \
  "$(session_windows_path "$dist_dir")" "$(session_windows_path "$work")"
status=$?
if [ ! -f "$artifacts/about-window.png" ]; then
  echo "FAIL no screenshot of the about window"
  [ "$status" -eq 0 ] && status=1
fi
echo "program test took $(($(date +%s) - started)) s (status $status)"
exit "$status"
