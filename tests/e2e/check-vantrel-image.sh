#!/usr/bin/env bash
# Reads the built Vantrel.dll and checks what other processes rely on: only
# kernel32 and user32 imported (no runtime, no message box), the seven exports
# with their ordinals, the shared .GLDATA section with the three shared words
# (two pointer-sized hook handles and a process id), the entry point, on x64
# the unwind data of the hook procedures, and the version resource. The same
# checks read a 32-bit and a 64-bit build.
set -uo pipefail
dll=${1:?Vantrel.dll}
objdump=${2:-i686-w64-mingw32-objdump}
windres=${3:-i686-w64-mingw32-windres}
failures=0

check() {  # description, then a command that must succeed
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

private=$("$objdump" -p "$dll") || { echo "FAIL objdump cannot read $dll"; exit 1; }
headers=$("$objdump" -h "$dll")
symbols=$("$objdump" -t "$dll")
# x86 names carry an underscore and stdcall decorations; x64 names neither.
if grep -q 'file format pei-x86-64' <<<"$private"; then
  bits=64 prefix= dllmain_name=DllMain gldata_expected=00000018
else
  bits=32 prefix=_ dllmain_name=_DllMain@12 gldata_expected=0000000c
fi
echo "ok   a $bits-bit library"

dlls=$(grep -E '^\s*DLL Name:' <<<"$private" | awk '{print toupper($3)}' | sort | tr '\n' ' ')
check "imports only KERNEL32.DLL and USER32.DLL (found: $dlls)" test "$dlls" = "KERNEL32.DLL USER32.DLL "

imports=$(sed -n '/The Import Tables/,/The Export Tables/p' <<<"$private" |
  awk '/^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ {print $3}' | sort | tr '\n' ' ')
expected_imports="CallNextHookEx CloseHandle CreateFileMappingA DisableThreadLibraryCalls GetCurrentProcessId GetFocus GetTickCount MapViewOfFile OpenFileMappingA SetWindowsHookExA UnhookWindowsHookEx UnmapViewOfFile "
check "imports exactly the hook, mapping and tick calls (found: $imports)" test "$imports" = "$expected_imports"

base=$(awk '/^Ordinal Base/ {print $3}' <<<"$private")
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$private" |
  awk -v base="$base" '/^[[:space:]]*\[ *[0-9]+\]/ {sub(/^[[:space:]]*\[ */, ""); sub(/\]/, ""); print $1 + base ":" $2}' | tr '\n' ' ')
expected_exports="1:GetCurrentFocus 2:GetKbdTime 3:GetMouseTime 4:GetProcessId 5:InstallMonitor 6:MonitorInstalled 7:UninstallMonitor "
check "exports the seven names with ordinals 1 to 7 (found: $exports)" test "$exports" = "$expected_exports"
check "the export table holds seven entries" grep -qE 'Export Address Table\s+0+7$' <<<"$private"

gldata=$(grep -A1 -E '^\s+[0-9]+ \.GLDATA ' <<<"$headers" | tr '\n' ' ')
check ".GLDATA exists and is shared, writable data" grep -qE 'ALLOC, LOAD, DATA, SHARED' <<<"$gldata"
check ".GLDATA is readable and writable (not read-only)" bash -c '! grep -q READONLY <<<"$1"' _ "$gldata"
gldata_index=$(awk '$2 == ".GLDATA" {print $1 + 1}' <<<"$headers")
for name in KeyboardHook MouseHook LastProcessId; do
  check "$name lives in .GLDATA" grep -qE "\(sec +$gldata_index\).* $prefix$name\$" <<<"$symbols"
done
gldata_size=$(awk '$2 == ".GLDATA" {print $3}' <<<"$headers")
# x64: two 8-byte handles, the 4-byte id, padded to the handles' alignment.
check ".GLDATA holds the three words and nothing else (size $gldata_size)" test "$gldata_size" = "$gldata_expected"

entry=$(awk '/^AddressOfEntryPoint/ {print $2}' <<<"$private")
text_vma=$(awk '$2 == ".text" {print $4}' <<<"$headers")
image_base=$(awk '/^ImageBase/ {print $2}' <<<"$private")
dllmain=$(awk -v name="$dllmain_name" '$NF == name {print $(NF-1)}' <<<"$symbols")
if [ -n "$entry" ] && [ -n "$text_vma" ] && [ -n "$dllmain" ]; then
  entry_rva=$((16#$entry))
  dllmain_rva=$((16#$text_vma - 16#$image_base + 16#${dllmain#0x}))
  check "the entry point is the library's own DllMain" test "$entry_rva" -eq "$dllmain_rva"
else
  check "the entry point and DllMain are found" false
fi

if [ "$bits" = 64 ]; then
  # Windows unwinds through a hook procedure (a fault in a later hook, a
  # longjmp of the foreign program) only with its entry in .pdata.
  begins=$(sed -n '/The Function Table/,/^$/p' <<<"$private" | awk '/^ [0-9a-f]+:/ {print $2}')
  for proc in KeyboardHookProc MouseHookProc; do
    offset=$(awk -v name="$proc" '$NF == name {print $(NF-1)}' <<<"$symbols")
    address=$(printf '%016x' $((16#$text_vma + 16#${offset#0x})))
    check "$proc has its unwind entry in .pdata" grep -qx "$address" <<<"$begins"
  done
fi

version=$("$windres" -J coff -O rc -i "$dll" 2>/dev/null)
check "FILEVERSION 1.0.0.1" grep -qE '^\s*FILEVERSION 1, 0, 0, 1\s*$' <<<"$version"
check "PRODUCTVERSION 1.0.0.1" grep -qE '^\s*PRODUCTVERSION 1, 0, 0, 1\s*$' <<<"$version"
check "the version strings say 1.0.0.1" grep -q 'VALUE "FileVersion", "1.0.0.1"' <<<"$version"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $dll failed"
  exit 1
fi
