# Compiles PROJECT (a .hhp, in the folder of the pages) with CHMCMD into OUTPUT (the project's
# "Compiled file" must bear OUTPUT's name), the same bytes whatever folder the build is in and
# whenever it runs:
# - "@PROJECT_VERSION@" in the pages becomes VERSION.
# - The compiler writes the topics of [ALIAS] with the absolute folder of the project: it runs
#   on a copy in the fixed folder FIXED, which one build at a time makes (mkdir is the lock)
#   and removes again. The help file's reader takes the page from the end of such a path.
# - It runs with an empty environment and, where the system allows, without address space
#   randomisation: a byte of the keyword map is written from memory it never set.
# - Its two time stamps (the milliseconds of the day in the header and in #SYSTEM) are set to
#   those of SOURCE_DATE_EPOCH, or to 0 without it.
# The compiler reports broken links and missing pages in its output but still exits 0: such a
# report fails the build here, and so does a missing result.
cmake_minimum_required(VERSION 3.25)
set(FIXED /tmp/mezura-help)
get_filename_component(pages ${PROJECT} DIRECTORY)
get_filename_component(project_name ${PROJECT} NAME)
get_filename_component(name ${OUTPUT} NAME)

file(GLOB htm ${pages}/*.htm)
foreach(page ${htm})
  file(READ ${page} text)
  string(REPLACE "@PROJECT_VERSION@" "${VERSION}" replaced "${text}")
  if(NOT replaced STREQUAL text)
    file(WRITE ${page} "${replaced}")
  endif()
endforeach()

# Takes the fixed folder: waits while another build compiles in it (a few seconds), and takes
# over one of ours that a stopped build left behind.
set(waited 0)
while(TRUE)
  execute_process(COMMAND mkdir -m 700 ${FIXED} RESULT_VARIABLE busy OUTPUT_QUIET ERROR_QUIET)
  if(busy EQUAL 0)
    break()
  endif()
  file(TIMESTAMP ${FIXED} since "%s" UTC)
  string(TIMESTAMP now "%s" UTC)
  set(age 0)
  if(since MATCHES "^[0-9]+$")
    math(EXPR age "${now} - ${since}")
  endif()
  if(age GREATER 300)
    file(REMOVE_RECURSE ${FIXED})
  elseif(waited GREATER 600)
    message(FATAL_ERROR "help: the folder ${FIXED} stays in use; remove it if no build is running")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.5)
  math(EXPR waited "${waited} + 1")
endwhile()

file(COPY ${pages}/ DESTINATION ${FIXED})
set(compiler ${CHMCMD})
execute_process(COMMAND setarch -R true RESULT_VARIABLE no_setarch OUTPUT_QUIET ERROR_QUIET)
if(no_setarch EQUAL 0)
  set(compiler setarch -R ${CHMCMD})
endif()
execute_process(COMMAND env -i ${compiler} ${project_name}
  WORKING_DIRECTORY ${FIXED}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(compiled FALSE)
if(status EQUAL 0 AND NOT "${out}${err}" MATCHES "Error|corrupt|couldn't find" AND EXISTS ${FIXED}/${name})
  file(COPY_FILE ${FIXED}/${name} ${OUTPUT})
  set(compiled TRUE)
endif()
file(REMOVE_RECURSE ${FIXED})
if(NOT compiled)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT} (status ${status}):\n${out}${err}")
endif()

# The time stamps. The header (version 3, 0x60 bytes) holds at 0x10 the milliseconds of the day,
# big-endian, and at 0x58 where content section 0 begins; #SYSTEM, early in that section,
# begins with its version 3 and then entry 10, four bytes long: the same milliseconds,
# little-endian.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  math(EXPR milliseconds "($ENV{SOURCE_DATE_EPOCH} % 86400) * 1000")
else()
  set(milliseconds 0)
endif()
file(READ ${OUTPUT} header LIMIT 96 HEX)
string(SUBSTRING "${header}" 0 16 signature)
if(NOT signature STREQUAL "4954534603000000")
  message(FATAL_ERROR "help: ${OUTPUT} has no version 3 header")
endif()
# Content section 0's offset: the low four bytes of the 64-bit number at 0x58.
set(section0 0)
foreach(at 182 180 178 176)
  string(SUBSTRING "${header}" ${at} 2 byte)
  math(EXPR section0 "${section0} * 256 + 0x${byte}")
endforeach()
file(READ ${OUTPUT} start OFFSET ${section0} LIMIT 4096 HEX)
string(FIND "${start}" "030000000a000400" system)
if(system LESS 0 OR NOT system MATCHES "^[0-9]*[02468]$")
  message(FATAL_ERROR "help: no time stamp in #SYSTEM of ${OUTPUT}")
endif()
math(EXPR system_stamp "${section0} + ${system} / 2 + 8")

# Writes the four bytes of VALUE at OFFSET of OUTPUT, in the given byte order.
function(write_stamp offset value order)
  set(octal "")
  foreach(shift 0 8 16 24)
    math(EXPR byte "(${value} >> ${shift}) & 255")
    math(EXPR high "${byte} / 64")
    math(EXPR middle "(${byte} / 8) % 8")
    math(EXPR low "${byte} % 8")
    if(order STREQUAL "little")
      string(APPEND octal "\\${high}${middle}${low}")
    else()
      string(PREPEND octal "\\${high}${middle}${low}")
    endif()
  endforeach()
  execute_process(COMMAND sh -c "printf '${octal}' | dd of='${OUTPUT}' bs=1 seek=${offset} conv=notrunc status=none"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "help: could not set the time stamp of ${OUTPUT}")
  endif()
endfunction()
write_stamp(16 ${milliseconds} big)
write_stamp(${system_stamp} ${milliseconds} little)
