#!/usr/bin/env bash
# The Wine end-to-end bench: starts a virtual X display, runs the client
# (which starts the driver) under Wine in a prefix of its own, and always
# ends with the prefix's wine processes killed and the display stopped.
#   tests/e2e/run-bench.sh build/win32
set -uo pipefail
build_dir=$(cd "${1:?win32 build folder}" && pwd)
bench_dir=$build_dir/tests/e2e
base_prefix=$build_dir/wineprefix
# Its own prefix: its own wineserver and desktop, so the other Wine tests
# running at the same time are neither disturbed nor killed at the end.
export WINEPREFIX=$bench_dir/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
bench_timeout=${TALVEX_BENCH_TIMEOUT:-150}

for f in e2e_client.exe e2e_driver.exe Vantrel.dll; do
  [ -f "$bench_dir/$f" ] || { echo "FAIL $bench_dir/$f is not built"; exit 1; }
done

started=$(date +%s)
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  if [ -f "$base_prefix/system.reg" ]; then
    cp -a "$base_prefix" "$WINEPREFIX"
  else
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot --init >/dev/null 2>&1
    timeout 120 wineserver --wait
  fi
fi

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "FAIL Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=:$(head -n1 "$work/display")

cd "$bench_dir"
timeout --kill-after=10 "$bench_timeout" wine e2e_client.exe
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "FAIL the bench did not end within ${bench_timeout} s and was killed"
fi
echo "bench took $(($(date +%s) - started)) s (status $status)"
exit "$status"
