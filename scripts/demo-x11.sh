#!/usr/bin/env bash
# talvex-x11 once in a virtual display: the tests' text field with 2+3*4
# highlighted, Ctrl+Shift+F7 and Ctrl+Shift+F8 pressed on Xvfb's keyboard as
# a user would, the field's text before and after printed. Exits non-zero
# with a message on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "demo-x11: $*" >&2; exit 1; }
b=build/native
cmake --preset native >/dev/null || fail "cmake could not configure $b"
cmake --build --preset native-release -j 2 \
  --target talvex-x11 x11_text_field x11_xvfb_driver x11_notify_server >/dev/null || fail "the build failed"
echo "== talvex-x11 under Xvfb ($b/x11/Release/talvex-x11, the package talvex-x11 in build/packages/)"
tests/x11-xvfb/run-case.sh demo "$b/tests/x11-xvfb/Release/x11_xvfb_driver" "$b/x11/Release/talvex-x11" \
  "$b/tests/x11-xvfb/Release/x11_text_field" "$b/tests/x11-xvfb/Release/x11_notify_server" ||
  fail "the demonstration failed"
