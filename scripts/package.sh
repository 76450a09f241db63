#!/usr/bin/env bash
# Builds the packages into build/packages/:
#   talvex-calc_VERSION_ARCH.deb   the command-line tool for Debian (CPack, native Release)
#   talvex-x11_VERSION_ARCH.deb    the in-place calculator for X11 desktops (the same CPack run)
#   Talvex-VERSION-win32.zip       the Windows program, 32-bit (the win32 build's dist/)
#   Talvex-VERSION-win64.zip       the Windows program, 64-bit (the win64 build's dist/)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
out=build/packages

cmake --preset native >/dev/null
cmake --build --preset native-release -j "$jobs" --target talvex-calc talvex_calc_docs talvex-x11 talvex_x11_docs
rm -f build/native/packages/*.deb
(cd build/native && cpack -C Release >/dev/null)

for build in win32 win64; do
  cmake --preset "$build" >/dev/null
  cmake --build --preset "$build" -j "$jobs" --target dist
done

rm -rf "$out"
mkdir -p "$out"
cp build/native/packages/talvex-*.deb build/win32/dist/Talvex-*-win32.zip build/win64/dist/Talvex-*-win64.zip "$out"/
echo "== packages in $out/:"
for file in "$out"/*; do
  echo "   $file ($(du -k "$file" | cut -f1) KiB)"
done
