# The Debian packages, built by CPack (scripts/package.sh) from two install
# components: talvex-calc (the command-line tool) and talvex-x11 (the
# in-place calculator of X11 desktops), each with its binary, its manual page,
# the copyright file, its own changelog and its lintian overrides; `cmake
# --install` installs the same files.
include(GNUInstallDirs)

set(package_dir ${CMAKE_BINARY_DIR}/package)

# Debian's machine-readable copyright file around the licence's text.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "\n$" "" license "${license}")
string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
string(REGEX REPLACE "\n" "\n " LICENSE_TEXT " ${license}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${package_dir}/copyright @ONLY)

# Manual pages and changelogs are kept compressed, without a time stamp, so
# the package is the same from one build to the next.
function(talvex_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
set(programs calc)
if(TARGET talvex-x11)
  list(APPEND programs x11)
endif()
# The compiler's version notes (.comment) have no use in the installed
# binaries; strip, which CPack runs before this, leaves them.
find_program(TALVEX_OBJCOPY NAMES objcopy REQUIRED)
foreach(program ${programs})
  set(page ${PROJECT_SOURCE_DIR}/cli/talvex-calc.1)
  if(program STREQUAL x11)
    set(page ${PROJECT_SOURCE_DIR}/x11/talvex-x11.1)
  endif()
  talvex_gzip(${page} ${package_dir}/talvex-${program}.1.gz)
  talvex_gzip(${PROJECT_SOURCE_DIR}/packaging/talvex-${program}.changelog ${package_dir}/talvex-${program}.changelog.gz)
  add_custom_target(talvex_${program}_docs ALL
                    DEPENDS ${package_dir}/talvex-${program}.1.gz ${package_dir}/talvex-${program}.changelog.gz)
  install(FILES ${package_dir}/talvex-${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${program})
  install(FILES ${package_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvex-${program} COMPONENT ${program})
  install(FILES ${package_dir}/talvex-${program}.changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvex-${program}
          RENAME changelog.gz COMPONENT ${program})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/talvex-${program}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME talvex-${program} COMPONENT ${program})
  install(CODE "execute_process(COMMAND ${TALVEX_OBJCOPY} --remove-section=.comment
                                \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/talvex-${program}
                                COMMAND_ERROR_IS_FATAL ANY)"
          COMPONENT ${program})
endforeach()
if(TARGET talvex-x11)
  # Not in the autostart folder: the user enables it by copying it there.
  install(FILES ${PROJECT_SOURCE_DIR}/x11/talvex-x11.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/talvex-x11
          COMPONENT x11)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${programs})
set(CPACK_PACKAGE_NAME talvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each description's first line is its package's summary.
set(CPACK_DEBIAN_CALC_PACKAGE_NAME talvex-calc)
set(CPACK_DEBIAN_CALC_PACKAGE_SECTION math)
set(CPACK_DEBIAN_CALC_DESCRIPTION
    "typed expression calculator for the command line
talvex-calc evaluates expressions with integers, exact fractions, 80-bit
reals, percentages, dates, times, angles, strings, Roman numerals and
numbers in other radices, with 96 built-in functions (trigonometry,
statistics, finance, dates). It reads and writes numbers in the user's
locale, edits lines and keeps a history at a terminal.")
set(CPACK_DEBIAN_X11_PACKAGE_NAME talvex-x11)
set(CPACK_DEBIAN_X11_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_X11_PACKAGE_SUGGESTS wl-clipboard)
set(CPACK_DEBIAN_X11_DESCRIPTION
    "calculate the highlighted expression in place in any X11 application
talvex-x11 stays in the background of an X11 session: highlight an
expression in any text field and press Ctrl+Shift+F7, and it is replaced by
the expression, '=' and the result; Ctrl+Shift+F8 puts the result alone in
its place. The calculator is that of talvex-calc, with the separators of the
user's locale; the answer is typed under any keyboard layout. A one-shot mode
serves the keyboard shortcuts of GNOME, KDE and Xfce.")
# The reserved domain .invalid (RFC 6761): an address that is plainly no one's.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Talvex developers <developers@talvex.invalid>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
