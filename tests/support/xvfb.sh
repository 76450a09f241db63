# Sourced by the end-to-end scripts: a virtual X display of the caller's own.
#
#   xvfb_start WORK [XVFB_OPTION...]   start Xvfb on a free display (Xvfb picks
#                                      it and writes its number to fd 3), its
#                                      log in WORK/xvfb.log; export DISPLAY and
#                                      set xvfb_pid, also when it fails
xvfb_start() {
  local work=$1
  shift
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "FAIL Xvfb did not start"
    cat "$work/xvfb.log"
    return 1
  fi
  export DISPLAY=:$(head -n1 "$work/display")
}
