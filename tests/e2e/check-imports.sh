#!/usr/bin/env bash
# Checks that built Windows files start on the oldest Windows of their
# bitness: every function a 32-bit file imports is on the list of those
# 32-bit Windows XP SP3 has (xp-sp3-imports.txt), a 64-bit file's on that list
# or on the one of Windows XP x64 (xp-x64-imports.txt); and no header asks
# for a Windows newer than 5.1 (32-bit) or 5.2 (64-bit, the first x64 Windows).
#   check-imports.sh OBJDUMP FILE...
# Prints one ok/FAIL line per check; the exit status is the number of failures.
set -uo pipefail
objdump=${1:?objdump}
shift
here=$(dirname "$0")
allowed32=$(grep -v '^#' "$here/xp-sp3-imports.txt")
allowed64=$(printf '%s\n' "$allowed32"; grep -v '^#' "$here/xp-x64-imports.txt")
failures=0

for file in "$@"; do
  name=$(basename "$file")
  private=$("$objdump" -p "$file") || { echo "FAIL objdump cannot read $file"; failures=$((failures + 1)); continue; }
  if grep -q 'file format pei-x86-64' <<<"$private"; then
    windows="Windows XP x64" newest=502 allowed=$allowed64
  else
    windows="Windows XP SP3" newest=501 allowed=$allowed32
  fi
  imports=$(awk '/DLL Name:/ {dll = toupper($3)}
                 /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ {print dll, $3}' <<<"$private" | sort -u)
  missing=$(comm -23 <(echo "$imports") <(sort -u <<<"$allowed") | tr '\n' ',' | sed 's/,$//; s/,/, /g')
  count=$(grep -c . <<<"$imports")
  if [ "$count" -gt 0 ] && [ -z "$missing" ]; then
    echo "ok   $name: its $count imported functions all exist on $windows"
  else
    echo "FAIL $name imports what $windows lacks or the list does not know: ${missing:-(no imports read)}"
    failures=$((failures + 1))
  fi
  # The loader refuses a file whose header asks for a newer Windows.
  for field in OSystem Subsystem; do
    what=$([ "$field" = OSystem ] && echo "operating system" || echo "subsystem")
    major=$(awk -v f="Major${field}Version" '$1 == f {print $2}' <<<"$private")
    minor=$(awk -v f="Minor${field}Version" '$1 == f {print $2}' <<<"$private")
    if [ -n "$major" ] && [ $((major * 100 + minor)) -le "$newest" ]; then
      echo "ok   $name: the $what version in its header, $major.$minor, is at most $windows's $((newest / 100)).$((newest % 100))"
    else
      echo "FAIL $name: the $what version in its header, ${major:-?}.${minor:-?}, is newer than $windows's $((newest / 100)).$((newest % 100))"
      failures=$((failures + 1))
    fi
  done
done
exit "$failures"
