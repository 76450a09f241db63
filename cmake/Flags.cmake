# Compiler settings shared by every target of the project.

# Reals must round the same way on both targets: doubles in SSE registers
# (as on x86-64), long doubles on the x87 stack, no fused multiply-adds.
set(TALVEX_FP_FLAGS -ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" OR (WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4))
  list(APPEND TALVEX_FP_FLAGS -msse2 -mfpmath=sse)
endif()

set(TALVEX_SANITIZER_FLAGS)
if(TALVEX_SANITIZE AND NOT WIN32)
  set(TALVEX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options("$<$<CONFIG:Debug>:${TALVEX_SANITIZER_FLAGS}>")
  add_link_options("$<$<CONFIG:Debug>:${TALVEX_SANITIZER_FLAGS}>")
endif()

add_compile_options(${TALVEX_FP_FLAGS})

if(WIN32)
  # Standalone .exe files: no mingw runtime DLLs next to them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  # Debian's hardening, the set dpkg-buildflags gives: checked C library
  # calls and a stack protector where the code is optimised (fortification
  # needs it), relocations made read-only and bound at start everywhere.
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-fstack-protector-strong>")
  add_compile_definitions("$<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>")
  add_link_options("LINKER:-z,relro,-z,now")
endif()

function(talvex_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endfunction()
