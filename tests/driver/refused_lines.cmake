# Runs every row of TABLE through DRIVER, each as a script of its own after a comment line:
# "LINE → REASON". The driver must print nothing, exit 2 and report
# "mezura-script: line 2: REASON: LINE" alone on standard error.
file(STRINGS ${TABLE} rows ENCODING UTF-8)
set(script ${WORK}/refused.script)
set(failures "")
foreach(row IN LISTS rows)
  if(row MATCHES "^#" OR row STREQUAL "")
    continue()
  endif()
  string(FIND "${row}" " → " arrow)
  if(arrow LESS 0)
    message(FATAL_ERROR "no \" → \" in the row: ${row}")
  endif()
  string(SUBSTRING "${row}" 0 ${arrow} line)
  math(EXPR after "${arrow} + 5") # the blank, the three bytes of the arrow, the blank
  string(SUBSTRING "${row}" ${after} -1 reason)
  string(REPLACE "<TAB>" "\t" line "${line}")
  file(WRITE ${script} "# refused\n${line}\n")
  execute_process(COMMAND ${DRIVER} ${script} WORKING_DIRECTORY ${WORK}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  set(expected "mezura-script: line 2: ${reason}: ${line}\n")
  if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL expected)
    string(APPEND failures "\n${line}\n  expected status 2 and: ${expected}  got status ${status}, output \"${out}\" and: ${err}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "lines the driver did not refuse as it should:${failures}")
endif()
