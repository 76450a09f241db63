#!/usr/bin/env bash
# The program with a target application of the other bitness: Talvex.exe and
# the driver of the build, and e2e_copy_target32.exe or e2e_copy_target64.exe,
# in a 64-bit Wine prefix of their own (which runs 32-bit programs through
# WoW64), in a virtual X display. A 32-bit build's 64-bit base prefix is made
# once; a 64-bit build's own prefix is one already.
#   tests/e2e/run-wow64.sh build/win32|build/win64
set -uo pipefail
build_dir=$(cd "${1:?Windows build folder}" && pwd)
test_dir=$build_dir/tests/e2e
dist_dir=$build_dir/dist
app_timeout=${TALVEX_APP_TEST_TIMEOUT:-180}
wine64_loader=/usr/lib/wine/wine64
source "$(dirname "$0")/wine-session.sh"

for f in "$test_dir/e2e_app_driver.exe" "$test_dir/e2e_copy_target32.exe" "$test_dir/e2e_copy_target64.exe" \
  "$dist_dir/Talvex.exe" "$dist_dir/Vantrel.dll"; do
  [ -f "$f" ] || { echo "FAIL $f is not built"; exit 1; }
done
[ -x "$wine64_loader" ] || { echo "FAIL $wine64_loader is missing (scripts/setup.sh installs wine64)"; exit 1; }

started=$(date +%s)
base_name=wineprefix
if [ "$(session_build_bits "$build_dir")" = 32 ]; then
  base_name=wineprefix64
  base=$build_dir/$base_name
  if [ ! -f "$base/system.reg" ]; then
    rm -rf "$base.tmp"
    mkdir -p "$base.tmp"
    WINEPREFIX=$base.tmp WINEARCH=win64 timeout 300 "$wine64_loader" wineboot --init >/dev/null 2>&1
    WINEPREFIX=$base.tmp timeout 120 wineserver --wait
    [ -f "$base.tmp/system.reg" ] && mv "$base.tmp" "$base"
  fi
  [ -f "$base/system.reg" ] || { echo "FAIL the 64-bit Wine prefix could not be made"; exit 1; }
fi
session_prefix "$build_dir" "$test_dir/wow64-wineprefix" "$base_name"
session_display || exit 1
mkdir -p "$session_work/wow64"

cd "$test_dir"
timeout --kill-after=10 "$app_timeout" wine e2e_app_driver.exe wow64 \
  "$(session_windows_path "$dist_dir")" "$(session_windows_path "$session_work/wow64")"
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "FAIL the other-bitness target test did not end within ${app_timeout} s and was killed"
fi
echo "other-bitness target test took $(($(date +%s) - started)) s (status $status)"
exit "$status"
