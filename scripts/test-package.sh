#!/usr/bin/env bash
# The packages as a user gets them: builds them with package.sh, runs lintian
# on every .deb (an error or a warning fails), unpacks the talvex-calc .deb
# into a throwaway root, runs the installed talvex-calc on a few expressions,
# reads its manual page with man -l and checks that apt would install it
# here; the same for talvex-x11 without a display; checks the files of both
# Windows zips.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/package.sh
deb=$(ls build/packages/talvex-calc_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

fail() { echo "package: $*" >&2; exit 1; }
expect() {  # expect WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected $(printf %q "$2"), got $(printf %q "$3")"
}
# PROGRAM's manual page as man shows it: no warning, each TEXT in it.
check_manual() {
  local program=$1 page text
  shift
  # Justified text has runs of blanks.
  page=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/$program.1.gz" 2>"$root/man-warnings" | tr -s ' ')
  [ ! -s "$root/man-warnings" ] || fail "man -l warned about $program.1: $(cat "$root/man-warnings")"
  for text in "$@"; do
    grep -qF -- "$text" <<<"$page" || fail "the manual page of $program lacks '$text'"
  done
}
check_installable() {
  apt-get install --simulate -o DPkg::Lock::Timeout=300 "./$1" >"$root/apt" 2>&1 ||
    fail "apt would not install $1: $(cat "$root/apt")"
}
# The program's --version names the licence, a bad option gives status 2.
check_options() {
  local status=0
  "$1" --version | grep -q 'License: MIT' || fail "$1 --version names no licence"
  "$1" --bogus 2>/dev/null || status=$?
  expect "the status of $1 --bogus" 2 "$status"
}

# lintian at its default level reports nothing for a clean package; below it,
# the hardening flags, the stripped .comment and the override of the
# function name Lenght show as well. (Its remark about running as root goes
# to standard error, which is left alone.)
for package in build/packages/*.deb; do
  report=$(lintian --fail-on error,warning "$package") || fail "lintian on $package: $report"
  [ -z "$report" ] || fail "lintian on $package: $report"
  info=$(lintian --display-info "$package" | grep -E 'hardening-no|unneeded-section|spelling-error|typo-in|unused-override' || true)
  [ -z "$info" ] || fail "lintian on $package: $info"
done

version=$(sed -n 's/^project(Talvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
expect "file name" "build/packages/talvex-calc_${version}_${arch}.deb" "$deb"
expect "Package" talvex-calc "$(dpkg-deb -f "$deb" Package)"
expect "Version" "$version" "$(dpkg-deb -f "$deb" Version)"
expect "Architecture" "$arch" "$(dpkg-deb -f "$deb" Architecture)"
dpkg-deb -f "$deb" Depends | grep -q 'libedit2' || fail "Depends lacks libedit2"

dpkg-deb -x "$deb" "$root"
for file in usr/bin/talvex-calc usr/share/man/man1/talvex-calc.1.gz \
            usr/share/doc/talvex-calc/copyright usr/share/doc/talvex-calc/changelog.gz; do
  [ -f "$root/$file" ] || fail "$file is missing"
done
grep -q '^License: MIT' "$root/usr/share/doc/talvex-calc/copyright" || fail "the copyright file names no MIT licence"
expect "changelog's package" talvex-calc "$(zcat "$root/usr/share/doc/talvex-calc/changelog.gz" | sed -n '1s/ .*//p')"

calc=$root/usr/bin/talvex-calc
expect "results" $'14\n3.5\n220\n{2:15:00 PM}\n1.414213562373' \
  "$("$calc" --locale=en '2+3*4' '7/2' '200 + 10%' '12:30 + 01:45' 'SQRT(2)')"
expect "German locale" "7,75" "$(env -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 "$calc" '2,5 * 3,1')"
expect "standard input" $'4\n8' "$(printf '# comment\n2+2\nans*2\nquit\n9\n' | "$calc" --locale=en)"
check_options "$calc"
check_manual talvex-calc 'talvex-calc - typed expression calculator' 'EXIT STATUS' 'mediana(x, ...)' 'LC_NUMERIC'
check_installable "$deb"

# talvex-x11: its files, its options and its manual page; what it does on a
# display is tested under Xvfb by ctest (tests/x11-xvfb).
x11deb=$(ls build/packages/talvex-x11_*.deb)
expect "talvex-x11 Package" talvex-x11 "$(dpkg-deb -f "$x11deb" Package)"
dpkg-deb -f "$x11deb" Depends | grep -q 'libxtst6' || fail "talvex-x11's Depends lacks libxtst6"
dpkg-deb -x "$x11deb" "$root"
for file in usr/bin/talvex-x11 usr/share/man/man1/talvex-x11.1.gz usr/share/doc/talvex-x11/copyright \
            usr/share/doc/talvex-x11/changelog.gz usr/share/talvex-x11/talvex-x11.desktop; do
  [ -f "$root/$file" ] || fail "$file is missing"
done
expect "talvex-x11 changelog's package" talvex-x11 \
  "$(zcat "$root/usr/share/doc/talvex-x11/changelog.gz" | sed -n '1s/ .*//p')"
check_options "$root/usr/bin/talvex-x11"
"$root/usr/bin/talvex-x11" --help | grep -q -- '--oneshot' || fail "talvex-x11 --help lacks --oneshot"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/talvex-x11" 2>"$root/no-display" || status=$?
expect "talvex-x11's status without a display" 1 "$status"
grep -q 'DISPLAY is not set' "$root/no-display" || fail "talvex-x11 without a display said: $(cat "$root/no-display")"
check_manual talvex-x11 'talvex-x11 - calculate the highlighted expression' 'ONE-SHOT MODE' 'WAYLAND' 'EXIT STATUS'
check_installable "$x11deb"

zips=()
for bits in 32 64; do
  zip=build/packages/Talvex-$version-win$bits.zip
  [ -f "$zip" ] || fail "$zip is missing"
  expect "$zip" $'Talvex.exe\nVantrel.dll\ntalvex.html' \
    "$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")"
  # Each zip holds the files of its own bitness, program and library alike.
  mkdir -p "$root/win$bits"
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$root/win$bits"
  kind=$([ "$bits" = 64 ] && echo 'PE32+ executable' || echo 'PE32 executable')
  for file in Talvex.exe Vantrel.dll; do
    file -b "$root/win$bits/$file" | grep -q "^$kind" || fail "$zip: $file is not a $bits-bit file: $(file -b "$root/win$bits/$file")"
  done
  zips+=("$zip")
done
echo "package: $deb, $x11deb and ${zips[*]} as a user gets them"
