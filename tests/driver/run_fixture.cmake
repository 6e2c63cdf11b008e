# Runs one driver fixture: DRIVER < SCRIPT, compared with EXPECTED (stdout, then the exit
# status as a last line "status N"), and with NAME.stderr when there is one. The driver runs
# in a fresh copy of the fixtures' data directory (tests/driver/data, seen as data/), so that
# `start data/NAME` finds a prepared program directory and a script that saves the settings
# changes only its own copy. With the environment variable UPDATE_FIXTURES=1 a fixture whose
# output differs is rewritten with what the driver printed, and the test passes: review the
# change with `git diff tests/driver` (scripts/update-fixtures.sh does both).
set(update "$ENV{UPDATE_FIXTURES}")
get_filename_component(fixtures ${SCRIPT} DIRECTORY)
set(work ${ACTUAL}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
if(EXISTS ${fixtures}/data)
  file(COPY ${fixtures}/data DESTINATION ${work})
endif()
execute_process(COMMAND ${DRIVER} ${SCRIPT}
  WORKING_DIRECTORY ${work}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "${out}status ${status}\n")
get_filename_component(name ${EXPECTED} NAME_WE)
if(EXISTS ${fixtures}/${name}.stderr)
  file(READ ${fixtures}/${name}.stderr expected_err)
  if(NOT err STREQUAL expected_err AND update)
    file(WRITE ${fixtures}/${name}.stderr "${err}")
    message(STATUS "rewrote ${fixtures}/${name}.stderr")
  elseif(NOT err STREQUAL expected_err)
    message(FATAL_ERROR "standard error differs from ${fixtures}/${name}.stderr\n--- expected\n${expected_err}--- actual\n${err}")
  endif()
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected AND update)
  file(WRITE ${EXPECTED} "${actual}")
  message(STATUS "rewrote ${EXPECTED}")
elseif(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  message(FATAL_ERROR "output differs from ${EXPECTED} (written to ${ACTUAL})\n--- expected\n${expected}--- actual\n${actual}--- stderr\n${err}")
endif()
