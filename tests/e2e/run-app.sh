#!/usr/bin/env bash
# The program's end-to-end test: the real Talvex.exe from the distribution
# folder, driven by e2e_app_driver.exe in a virtual X display, in a Wine
# prefix of its own. Takes the screenshot of the about window when the driver
# asks for it and keeps it as build/win32/artifacts/about-window.png.
#   tests/e2e/run-app.sh build/win32
set -uo pipefail
build_dir=$(cd "${1:?win32 build folder}" && pwd)
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
timeout --kill-after=10 "$app_timeout" wine e2e_app_driver.exe test \
  "$(session_windows_path "$dist_dir")" "$(session_windows_path "$work")" &
driver=$!

# The driver writes the about window's place into the ready file and waits
# for the done file.
while kill -0 "$driver" 2>/dev/null; do
  if [ -f "$work/about-window.ready" ] && [ ! -f "$work/about-window.done" ]; then
    read -r x y w h < <(tr -d '\r' <"$work/about-window.ready")
    margin=24
    import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" \
      +repage "$artifacts/about-window.png" 2>/dev/null ||
      echo "FAIL import could not take the screenshot"
    touch "$work/about-window.done"
  fi
  sleep 0.2
done
wait "$driver"
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "FAIL the program test did not end within ${app_timeout} s and was killed"
fi
if [ -f "$artifacts/about-window.png" ]; then
  echo "screenshot of the about window: $artifacts/about-window.png"
else
  echo "FAIL no screenshot of the about window"
  [ "$status" -eq 0 ] && status=1
fi
echo "program test took $(($(date +%s) - started)) s (status $status)"
exit "$status"
