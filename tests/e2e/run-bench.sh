#!/usr/bin/env bash
# The Wine end-to-end bench: starts a virtual X display, runs the client
# (which starts the driver) under Wine in a prefix of its own, and always
# ends with the prefix's wine processes killed and the display stopped.
#   tests/e2e/run-bench.sh build/win64|build/win32
set -uo pipefail
build_dir=$(cd "${1:?Windows build folder}" && pwd)
bench_dir=$build_dir/tests/e2e
bench_timeout=${TALVEX_BENCH_TIMEOUT:-150}
source "$(dirname "$0")/wine-session.sh"

for f in e2e_client.exe e2e_driver.exe Vantrel.dll; do
  [ -f "$bench_dir/$f" ] || { echo "FAIL $bench_dir/$f is not built"; exit 1; }
done

started=$(date +%s)
session_prefix "$build_dir" "$bench_dir/wineprefix"
session_display || exit 1

cd "$bench_dir"
timeout --kill-after=10 "$bench_timeout" wine e2e_client.exe
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "FAIL the bench did not end within ${bench_timeout} s and was killed"
fi
echo "bench took $(($(date +%s) - started)) s (status $status)"
exit "$status"
