# The Debian package of talvex-calc, built by CPack (scripts/package.sh):
# the binary, its manual page, the copyright file, the changelog and the
# lintian overrides, each installed by `cmake --install` as well.
include(GNUInstallDirs)

set(TALVEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/talvex-calc)
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
talvex_gzip(${PROJECT_SOURCE_DIR}/cli/talvex-calc.1 ${package_dir}/talvex-calc.1.gz)
talvex_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${package_dir}/changelog.gz)
add_custom_target(talvex_calc_docs ALL DEPENDS ${package_dir}/talvex-calc.1.gz ${package_dir}/changelog.gz)

install(FILES ${package_dir}/talvex-calc.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_dir}/copyright ${package_dir}/changelog.gz DESTINATION ${TALVEX_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME talvex-calc)
# The compiler's version notes (.comment) have no use in the installed
# binary; strip, which CPack runs before this, leaves them.
find_program(TALVEX_OBJCOPY NAMES objcopy REQUIRED)
install(CODE "execute_process(COMMAND ${TALVEX_OBJCOPY} --remove-section=.comment
                              \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/talvex-calc
                              COMMAND_ERROR_IS_FATAL ANY)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvex-calc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typed expression calculator for the command line")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "talvex-calc evaluates expressions with integers, exact fractions, 80-bit
reals, percentages, dates, times, angles, strings, Roman numerals and
numbers in other radices, with 96 built-in functions (trigonometry,
statistics, finance, dates). It reads and writes numbers in the user's
locale, edits lines and keeps a history at a terminal.")
# The reserved domain .invalid (RFC 6761): an address that is plainly no one's.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Talvex developers <developers@talvex.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
