#!/usr/bin/env bash
# Checks that built Windows files start on 32-bit Windows XP SP3: every
# function they import is on the list of those XP SP3 has
# (xp-sp3-imports.txt), and no header asks for a Windows newer than 5.1.
#   check-imports.sh OBJDUMP FILE...
# Prints one ok/FAIL line per check; the exit status is the number of failures.
set -uo pipefail
objdump=${1:?objdump}
shift
allowed=$(grep -v '^#' "$(dirname "$0")/xp-sp3-imports.txt")
failures=0

for file in "$@"; do
  name=$(basename "$file")
  private=$("$objdump" -p "$file") || { echo "FAIL objdump cannot read $file"; failures=$((failures + 1)); continue; }
  imports=$(awk '/DLL Name:/ {dll = toupper($3)}
                 /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ {print dll, $3}' <<<"$private" | sort -u)
  missing=$(comm -23 <(echo "$imports") <(sort -u <<<"$allowed") | tr '\n' ',' | sed 's/,$//; s/,/, /g')
  count=$(grep -c . <<<"$imports")
  if [ "$count" -gt 0 ] && [ -z "$missing" ]; then
    echo "ok   $name: its $count imported functions all exist on Windows XP SP3"
  else
    echo "FAIL $name imports what Windows XP SP3 lacks or the list does not know: ${missing:-(no imports read)}"
    failures=$((failures + 1))
  fi
  # The loader refuses a file whose header asks for a newer Windows.
  for field in OSystem Subsystem; do
    what=$([ "$field" = OSystem ] && echo "operating system" || echo "subsystem")
    major=$(awk -v f="Major${field}Version" '$1 == f {print $2}' <<<"$private")
    minor=$(awk -v f="Minor${field}Version" '$1 == f {print $2}' <<<"$private")
    if [ -n "$major" ] && [ $((major * 100 + minor)) -le 501 ]; then
      echo "ok   $name: the $what version in its header, $major.$minor, is at most XP's 5.1"
    else
      echo "FAIL $name: the $what version in its header, ${major:-?}.${minor:-?}, is newer than XP's 5.1"
      failures=$((failures + 1))
    fi
  done
done
exit "$failures"
