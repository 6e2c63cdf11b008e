# Compiles PROJECT (a .hhp) with CHMCMD in WORKDIR and moves the result to OUTPUT (the
# project's "Compiled file" must bear OUTPUT's name). The compiler reports broken links and
# missing pages in its output but still exits 0: such a report fails the build here, and so
# does a missing result.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND ${CHMCMD} ${PROJECT}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
get_filename_component(name ${OUTPUT} NAME)
if(NOT status EQUAL 0 OR "${out}${err}" MATCHES "Error|corrupt|couldn't find" OR NOT EXISTS ${WORKDIR}/${name})
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT} (status ${status}):\n${out}${err}")
endif()
file(RENAME ${WORKDIR}/${name} ${OUTPUT})
