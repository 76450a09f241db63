#!/usr/bin/env bash
# Generates locales with Debian's locales package into a folder of the build
# (for LOCPATH), so the system's own locales stay as they are.
#   generate-locales.sh FOLDER NAME...
# NAME is language_TERRITORY.CHARMAP (de_DE.UTF-8, ru_RU.KOI8-R). Two at a
# time; a locale already generated is kept.
set -euo pipefail
out=$1
shift
mkdir -p "$out"
generate() {
  local target="$out/$1" work="$out/.work-$1"
  rm -rf "$work"
  localedef -i "${1%%.*}" -f "${1#*.}" --no-archive "$work" >/dev/null || { rm -rf "$work"; return 1; }
  # Renamed when complete: an interrupted run leaves no half locale behind.
  rm -rf "$target"
  mv "$work" "$target"
}
todo=()
for name in "$@"; do
  [ -f "$out/$name/LC_TIME" ] || todo+=("$name")
done
[ "${#todo[@]}" -gt 0 ] || exit 0
export out
export -f generate
printf '%s\n' "${todo[@]}" | xargs -P 2 -n 1 bash -c 'set -euo pipefail; generate "$1"' _
