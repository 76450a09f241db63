# Talvex.exe with its resources, and the folder a Windows user copies:
# build/win32/dist/ (build/win64/dist/) with Talvex.exe, Vantrel.dll,
# talvex.html and a zip of them named after the build's bitness.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(res_dir ${CMAKE_CURRENT_BINARY_DIR}/res)
set(art ${CMAKE_CURRENT_SOURCE_DIR}/res/Talvex-art.txt)
set(TALVEX_ICON ${res_dir}/Talvex.ico)
set(TALVEX_CURSOR ${res_dir}/Hand.cur)
# The manifest names the processor the program is built for.
set(TALVEX_MANIFEST ${res_dir}/Talvex.manifest)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TALVEX_MANIFEST_ARCH amd64)
  set(TALVEX_BITS 64)
else()
  set(TALVEX_MANIFEST_ARCH x86)
  set(TALVEX_BITS 32)
endif()
configure_file(res/Talvex.manifest.in ${TALVEX_MANIFEST} @ONLY)
add_custom_command(OUTPUT ${TALVEX_ICON} ${TALVEX_CURSOR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${res_dir}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/res/make-resources.py ${art} ${res_dir}
  DEPENDS ${art} ${CMAKE_CURRENT_SOURCE_DIR}/res/make-resources.py
  COMMENT "Drawing the tray icon and the hand cursor")
configure_file(res/Talvex.rc.in ${res_dir}/Talvex.rc @ONLY)
set_source_files_properties(${res_dir}/Talvex.rc PROPERTIES OBJECT_DEPENDS "${TALVEX_ICON};${TALVEX_CURSOR};${TALVEX_MANIFEST}")
set_source_files_properties(${TALVEX_ICON} ${TALVEX_CURSOR} PROPERTIES HEADER_FILE_ONLY ON GENERATED ON)

# The about window apart: the layout test under Wine builds it too.
add_library(talvex_about_window STATIC AboutWindow.cpp)
target_link_libraries(talvex_about_window PUBLIC talvex_app_core talvex_ui)
talvex_flags(talvex_about_window)

add_executable(Talvex WIN32
  CalculatorApp.cpp
  Main.cpp
  MinimizeAnimation.cpp
  SettingsFile.cpp
  TrayMenu.cpp
  WindowsClock.cpp
  ${res_dir}/Talvex.rc
  ${TALVEX_ICON}
  ${TALVEX_CURSOR})
target_link_libraries(Talvex PRIVATE talvex_about_window talvex_app_core talvex_ui talvex_lib talvex_xp_support)
target_link_options(Talvex PRIVATE -s)  # no symbols in what is shipped
talvex_flags(Talvex)

# Next to the program in the build tree too, so it runs where it was built.
set(help ${CMAKE_CURRENT_SOURCE_DIR}/help/talvex.html)
add_dependencies(Talvex Vantrel)
add_custom_command(TARGET Talvex POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Vantrel> $<TARGET_FILE_DIR:Talvex>/Vantrel.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help} $<TARGET_FILE_DIR:Talvex>/talvex.html)

set(dist ${CMAKE_BINARY_DIR}/dist)
set(zip ${dist}/Talvex-${PROJECT_VERSION}-win${TALVEX_BITS}.zip)
add_custom_command(OUTPUT ${dist}/Talvex.exe ${dist}/Vantrel.dll ${dist}/talvex.html ${zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Talvex> ${dist}/Talvex.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Vantrel> ${dist}/Vantrel.dll
  COMMAND ${CMAKE_COMMAND} -E copy ${help} ${dist}/talvex.html
  COMMAND ${CMAKE_COMMAND} -E remove -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${dist} ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip
          Talvex.exe Vantrel.dll talvex.html
  DEPENDS Talvex Vantrel ${help}
  COMMENT "Putting Talvex.exe, Vantrel.dll and talvex.html into dist/ and its zip")
add_custom_target(dist ALL DEPENDS ${dist}/Talvex.exe ${dist}/Vantrel.dll ${dist}/talvex.html ${zip})
