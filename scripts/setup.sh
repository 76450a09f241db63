#!/usr/bin/env bash
# Installs everything the builds and tests need on a Debian 12 machine.
# Non-interactive and idempotent: packages already present are skipped.
#
# 32-bit Wine (for the 32-bit Windows build's tests) is installed only where
# the kernel runs 32-bit programs, and only then is the i386 architecture
# added. A package index that fails to download (a mirror in the middle of a
# sync) is retried; the install then goes ahead with the lists there are, and
# a package that still cannot be installed is named with the failing index.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/win32-runtime.sh

packages=(
  cmake ninja-build g++ make pkg-config git zip python3 binutils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine wine64
  xvfb x11-utils imagemagick
  libmuparser-dev libqalculate-dev
  libedit-dev locales man-db dpkg-dev file lintian
  libx11-dev libxtst-dev libxfixes-dev libxi-dev libdbus-1-dev dbus-daemon xterm x11-xkb-utils
)
packages32=(wine32:i386)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
install_log=$(mktemp)
trap 'rm -f "$log" "$install_log" "$log.why"' EXIT

say() { echo "setup: $*" >&2; }

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# The indexes of the last update that did not download, one a line.
failed_indexes() {
  sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sort -u
}

# Three tries a short pause apart; a partial failure leaves the lists that did
# download, and the install goes ahead with those.
update_lists() {
  local try
  for try in 1 2 3; do
    if $SUDO apt-get update -q >"$log" 2>&1; then return 0; fi
    say "apt-get update failed (try $try of 3): $(grep -m1 -E '^(E|Err):' "$log" || tail -n1 "$log")"
    [ "$try" -lt 3 ] && sleep 5
  done
  say "going on with the package lists that did download"
}

# Installs the packages; on failure prints which cannot be installed and the
# indexes that failed, and returns 1.
install_packages() {
  if $SUDO apt-get install -y -q --no-install-recommends "$@" >"$install_log" 2>&1; then return 0; fi
  local p broken=() indexes
  for p in "$@"; do
    apt-get install -s -q --no-install-recommends "$p" >/dev/null 2>&1 || broken+=("$p")
  done
  indexes=$(failed_indexes | paste -sd ' ')
  say "cannot install ${broken[*]:-$*} (apt-get: $(grep -m1 -E '^E:' "$install_log" || tail -n1 "$install_log"))${indexes:+; the package index that failed to download: $indexes}"
  return 1
}

mapfile -t missing < <(missing_of "${packages[@]}")
if [ "${#missing[@]}" -gt 0 ]; then
  update_lists
  install_packages "${missing[@]}" || exit 1
fi

rm -f "$win32_runtime_note"
if runs_32bit_programs; then
  mapfile -t missing32 < <(missing_of "${packages32[@]}")
  if [ "${#missing32[@]}" -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $SUDO dpkg --add-architecture i386
    fi
    update_lists
    # The builds and the 64-bit suite need none of it: without it only the
    # 32-bit build's tests cannot run, and scripts/test.sh says so.
    if ! install_packages "${missing32[@]}" 2>"$log.why"; then
      mkdir -p "$(dirname "$win32_runtime_note")"
      sed 's/^setup: //' "$log.why" >"$win32_runtime_note"
      say "the 32-bit Windows build's tests will not run here: $(cat "$win32_runtime_note")"
    fi
  fi
else
  say "this machine runs no 32-bit programs: 32-bit Wine is not installed, the Windows tests run under 64-bit Wine"
fi
