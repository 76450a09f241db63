# Runs talvex-calc once with ARGS (a ;-list) and optional INPUT text, and
# checks its exit status and its standard output exactly.
set(command ${CALC} ${ARGS})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
set(input_file ${WORK}/${NAME}.input)
file(WRITE ${input_file} "${INPUT}")
execute_process(COMMAND ${command} INPUT_FILE ${input_file} OUTPUT_VARIABLE output
                ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 120)
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}\n${output}${errors}")
endif()
if(DEFINED EXPECT_OUTPUT AND NOT output STREQUAL EXPECT_OUTPUT)
  message(FATAL_ERROR "output:\n${output}\nexpected:\n${EXPECT_OUTPUT}")
endif()
