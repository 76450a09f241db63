#!/usr/bin/env bash
# Checks the distribution folder and the built Talvex.exe with the mingw
# objdump and windres: a GUI program importing only system libraries, with
# the tray icon ICON_1 at 16, 20, 24, 32, 48 and 256 pixels, the hand cursor
# HAND at 32, 40, 48 and 64, a manifest declaring per-monitor DPI awareness
# with the system-aware fallback and the processor it is built for, and its
# version; the zip, named after the build's bitness, holds exactly the three
# files of the folder. Talvex.exe, Vantrel.dll and talvex-calc.exe import
# only what the oldest Windows of their bitness has (check-imports.sh).
#   check-talvex-image.sh DIST_FOLDER OBJDUMP WINDRES TALVEX_CALC_EXE
set -uo pipefail
dist=${1:?distribution folder}
objdump=${2:-i686-w64-mingw32-objdump}
windres=${3:-i686-w64-mingw32-windres}
calc=${4:?talvex-calc.exe}
exe=$dist/Talvex.exe
failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

for f in Talvex.exe Vantrel.dll talvex.html; do check "dist holds $f" test -s "$dist/$f"; done
private=$("$objdump" -p "$exe")
if grep -q 'file format pei-x86-64' <<<"$private"; then bits=64 arch=amd64; else bits=32 arch=x86; fi
zip=$(ls "$dist"/Talvex-*-win$bits.zip 2>/dev/null | head -n1)
check "dist holds the zip of the $bits-bit build" test -n "$zip"
if [ -n "$zip" ]; then
  listed=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
  check "the zip holds Talvex.exe, Vantrel.dll and talvex.html (it holds: $listed)" \
    test "$listed" = "Talvex.exe Vantrel.dll talvex.html "
fi

check "a Windows GUI program" grep -q '^Subsystem.*(Windows GUI)' <<<"$private"
imports=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$private" | sort | tr '\n' ' ')
check "imports only system libraries ($imports)" \
  test "$imports" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL "
check "does not link Vantrel.dll (it is loaded at run time)" bash -c "! grep -qi vantrel <<<'$imports'"

resources=$("$windres" -J coff -O rc -i "$exe" 2>/dev/null)
icon_group=$(sed -n '/"ICON_1" 14/,/^END/p' <<<"$resources")
check "the icon ICON_1 exists" test -n "$icon_group"
# Each image's width is the first byte of its "width height colors pad", in octal; 0 stands for 256.
icon_sizes=$(grep -o '"\\[0-7]\{3\}' <<<"$icon_group" | while read -r w; do
  w=$((8#${w#\"\\})); echo $((w == 0 ? 256 : w)); done | sort -n | tr '\n' ' ')
check "ICON_1 has images of 16, 20, 24, 32, 48 and 256 pixels (it has: $icon_sizes)" \
  test "$icon_sizes" = "16 20 24 32 48 256 "
cursor_group=$(sed -n '/"HAND" 12/,/^END/p' <<<"$resources")
cursor_sizes=$(grep -oE '^\s+[0-9]+, [0-9]+, 1, 1,' <<<"$cursor_group" | awk -F, '{print $1 + 0}' | sort -n | tr '\n' ' ')
check "the cursor HAND has images of 32, 40, 48 and 64 pixels (it has: $cursor_sizes)" \
  test "$cursor_sizes" = "32 40 48 64 "
manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources")
check "the manifest declares per-monitor DPI awareness (V2, then V1)" \
  grep -q 'dpiAwareness xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">PerMonitorV2, PerMonitor<' <<<"$manifest"
check "the manifest falls back to the system's DPI before Windows 10" \
  grep -q 'dpiAware xmlns=""http://schemas.microsoft.com/SMI/2005/WindowsSettings"">true/pm<' <<<"$manifest"
check "the manifest names the processor $arch" grep -q "processorArchitecture=\"\"$arch\"\"" <<<"$manifest"
check "FILEVERSION 2.0.0.43" grep -qE '^\s*FILEVERSION 2, 0, 0, 43\s*$' <<<"$resources"

bash "$(dirname "$0")/check-imports.sh" "$objdump" "$exe" "$dist/Vantrel.dll" "$calc"
failures=$((failures + $?))

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $dist failed"
  exit 1
fi
