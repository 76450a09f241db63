# Sourced by the end-to-end scripts and by scripts/run.sh: a Wine prefix of
# the caller's own (its own wineserver, so other Wine tests running at the
# same time are neither disturbed nor killed at the end), a virtual X display,
# and a cleanup that always kills the prefix's wine processes and stops the
# display.
#
#   session_prefix BUILD_DIR PREFIX_DIR [BASE]
#                                         copy the build's prefix (BASE, by default
#                                         wineprefix), export WINEPREFIX
#   session_display                       start Xvfb on a free display, export DISPLAY
#   session_run_photographing WORK ARTIFACTS TIMEOUT PROGRAM [ARGS...]
#                                         run a Windows test program under wine and
#                                         take the screenshots it asks for
#   session_cleanup                       (installed as the EXIT trap by session_prefix)
#   session_work                          a scratch folder, removed at the end
#   session_build_bits BUILD_DIR          32 or 64: the bitness of a Windows build folder

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
session_work=$(mktemp -d)
session_xvfb_pid=

session_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then timeout 20 wineserver -k >/dev/null 2>&1; fi
  if [ -n "$session_xvfb_pid" ]; then
    kill "$session_xvfb_pid" 2>/dev/null
    wait "$session_xvfb_pid" 2>/dev/null
  fi
  rm -rf "$session_work"
}

session_prefix() {
  local base_prefix=$1/${3:-wineprefix}
  export WINEPREFIX=$2
  trap session_cleanup EXIT
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
}

source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

session_display() {
  local status=0
  xvfb_start "$session_work" || status=$?
  session_xvfb_pid=$xvfb_pid
  return "$status"
}

session_build_bits() {
  local size
  size=$(sed -n 's/^CMAKE_SIZEOF_VOID_P:INTERNAL=//p' "$1/CMakeCache.txt" 2>/dev/null)
  echo $((${size:-4} * 8))
}

# The Windows path of a folder, through the prefix's Z: drive.
session_windows_path() {
  local path
  path=$(cd "$1" && pwd)
  printf 'Z:%s' "${path//\//\\}"
}

# The program asks for a screenshot by writing "X Y WIDTH HEIGHT NAME" into
# WORK/screenshot.ready and waits for WORK/screenshot.done (Photograph in
# AppSession.cpp); the area and a margin go to ARTIFACTS/NAME. The status is
# the program's, plus one for each screenshot that could not be taken.
session_run_photographing() {
  local work=$1 artifacts=$2 limit=$3 x y w h name margin=24 missed=0 program status
  shift 3
  timeout --kill-after=10 "$limit" wine "$@" &
  program=$!
  while kill -0 "$program" 2>/dev/null; do
    if [ -f "$work/screenshot.ready" ] && [ ! -f "$work/screenshot.done" ]; then
      read -r x y w h name < <(tr -d '\r' <"$work/screenshot.ready")
      rm -f "$artifacts/$name"
      if import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" \
        +repage "$artifacts/$name" 2>/dev/null; then
        echo "screenshot: $artifacts/$name"
      else
        echo "FAIL import could not take $artifacts/$name"
        missed=$((missed + 1))
      fi
      touch "$work/screenshot.done"
    fi
    sleep 0.2
  done
  wait "$program"
  status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "FAIL $1 did not end within $limit s and was killed"
  fi
  return $((status + missed))
}
