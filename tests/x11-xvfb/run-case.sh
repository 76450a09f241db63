#!/usr/bin/env bash
# One end-to-end case of talvex-x11 in an Xvfb of its own (-displayfd picks
# a free display, so cases and other sessions run side by side), with a
# scratch HOME and no session bus but the case's own: nothing of the user's
# desktop is reached.
#   run-case.sh CASE DRIVER TALVEX_X11 TEXT_FIELD NOTIFY_SERVER
set -u
case_name=$1
work=$(mktemp -d)
xvfb_pid=
bus_pid=
cleanup() {
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../support/xvfb.sh"
# -noreset: the server keeps a layout set by setxkbmap between clients.
xvfb_start "$work" -noreset || exit 1
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR
export HOME=$work XDG_CONFIG_HOME=$work/config TALVEX_WORK=$work

if [ "$case_name" = notifications ]; then
  dbus-daemon --session --fork --nopidfile --print-address=4 --print-pid=5 4>"$work/bus" 5>"$work/bus.pid" ||
    { echo "FAIL no dbus-daemon"; exit 1; }
  bus_pid=$(cat "$work/bus.pid")
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
fi

timeout --kill-after=10 170 "$2" "$case_name" "$3" "$4" "$5"
