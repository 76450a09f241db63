# Sourced by setup.sh, test.sh and run.sh: whether this machine can run the
# 32-bit Windows build, found out by trying rather than guessed from the
# kernel or the distribution.
#
#   runs_32bit_programs     true when the kernel runs a 32-bit x86 program
#                           (some kernels are built or booted without it and
#                           answer "Exec format error")
#   wine32_unusable_reason  prints why 32-bit Wine cannot run here, nothing
#                           when it can
#
# setup.sh leaves the reason it could not install wine32 in this file:
win32_runtime_note=${win32_runtime_note:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine32-not-installed.txt}

# A one-instruction program made with binutils: the exit system call of
# 32-bit Linux. It needs no 32-bit library, so only the kernel can refuse it.
runs_32bit_programs() {
  local dir status
  command -v as >/dev/null && command -v ld >/dev/null || return 1
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$dir/exit.s"
  status=1
  if as --32 -o "$dir/exit.o" "$dir/exit.s" 2>/dev/null && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" 2>/dev/null; then
    "$dir/exit" 2>/dev/null
    status=$?
  fi
  rm -rf "$dir"
  return "$status"
}

wine32_unusable_reason() {
  if ! runs_32bit_programs; then
    echo "this machine runs no 32-bit programs (its kernel refuses a one-instruction 32-bit program: Exec format error)"
  elif [ ! -x /usr/lib/wine/wine ]; then
    if [ -s "$win32_runtime_note" ]; then
      cat "$win32_runtime_note"
    else
      echo "wine32:i386 is not installed (scripts/setup.sh installs it)"
    fi
  elif ! timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "32-bit Wine (/usr/lib/wine/wine) is installed but does not start"
  fi
}
