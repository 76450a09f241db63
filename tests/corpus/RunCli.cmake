# Runs talvex-calc once with ARGS (a ;-list) and optional INPUT text, and
# checks its exit status and its standard output exactly, and its standard
# error when EXPECT_ERRORS is given. With OUTPUT_FILE standard output goes
# there (/dev/full) instead.
set(command ${CALC} ${ARGS})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
set(input_file ${WORK}/${NAME}.input)
file(WRITE ${input_file} "${INPUT}")
if(OUTPUT_FILE)
  execute_process(COMMAND ${command} INPUT_FILE ${input_file} OUTPUT_FILE ${OUTPUT_FILE}
                  ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 120)
  set(output "")
else()
  execute_process(COMMAND ${command} INPUT_FILE ${input_file} OUTPUT_VARIABLE output
                  ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 120)
endif()
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}\n${output}${errors}")
endif()
if(DEFINED EXPECT_MATCH)
  if(NOT output MATCHES "${EXPECT_MATCH}")
    message(FATAL_ERROR "output:\n${output}\ndoes not match:\n${EXPECT_MATCH}")
  endif()
elseif(DEFINED EXPECT_OUTPUT AND NOT output STREQUAL EXPECT_OUTPUT)
  message(FATAL_ERROR "output:\n${output}\nexpected:\n${EXPECT_OUTPUT}")
endif()
if(DEFINED EXPECT_ERRORS AND NOT errors STREQUAL EXPECT_ERRORS)
  message(FATAL_ERROR "standard error:\n${errors}\nexpected:\n${EXPECT_ERRORS}")
endif()
