# The engine's folders are layers, lowest first: a source may include headers
# of its own folder and of the folders below it, never of one above. Checked
# whenever a source changes, before the engine's libraries build, so an
# include that would make the folders a cycle stops the build.
function(talvex_check_engine_layers)
  set(sources)
  foreach(folder ${ARGN})
    file(GLOB folder_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${folder_sources})
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/engine-layers.stamp)
  string(REPLACE ";" "," layers "${ARGN}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DLAYERS=${layers} -P ${PROJECT_SOURCE_DIR}/cmake/CheckEngineLayers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckEngineLayers.cmake
    COMMENT "Checking that the engine's folders include only downward"
    VERBATIM)
  add_custom_target(talvex_engine_layers DEPENDS ${stamp})
endfunction()
