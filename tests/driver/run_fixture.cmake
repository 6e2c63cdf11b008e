# Runs one driver fixture: DRIVER < SCRIPT, compared with EXPECTED (stdout, then the exit
# status as a last line "status N").
execute_process(COMMAND ${DRIVER} ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "${out}status ${status}\n")
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  message(FATAL_ERROR "output differs from ${EXPECTED} (written to ${ACTUAL})\n--- expected\n${expected}--- actual\n${actual}--- stderr\n${err}")
endif()
