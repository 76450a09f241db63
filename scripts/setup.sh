#!/usr/bin/env bash
# Installs everything the builds and tests need on a Debian 12 machine.
# Non-interactive and idempotent: packages already present are skipped.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config git zip python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32
  wine wine32:i386 wine64
  xvfb x11-utils imagemagick
  libmuparser-dev libqalculate-dev
  libedit-dev locales man-db dpkg-dev file
  libx11-dev libxtst-dev libxfixes-dev libxi-dev libdbus-1-dev dbus-daemon xterm x11-xkb-utils
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ] || [ "${need_update:-0}" = 1 ]; then
  $SUDO apt-get update -q
fi
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
