# The options every program answers: --help (usage on standard output,
# status 0), --version (status 0) and an unknown option (usage on standard
# error, status 2). -DPROGRAM=path -DNAME=pinwick -DVERSION=1.2.3
function(run out_var err_var status_var)
  execute_process(COMMAND ${PROGRAM} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
                  TIMEOUT 20)
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
  set(${status_var} "${status}" PARENT_SCOPE)
endfunction()

run(out err status --help)
if(NOT status EQUAL 0 OR NOT out MATCHES "^usage: ${NAME} " OR NOT out MATCHES "--version" OR NOT err STREQUAL "")
  message(FATAL_ERROR "--help: status ${status}, output '${out}', errors '${err}'")
endif()
set(usage "${out}")

run(out err status --version)
if(NOT status EQUAL 0 OR NOT out STREQUAL "${NAME} ${VERSION}\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "--version: status ${status}, output '${out}', errors '${err}'")
endif()

# A bad command line: status 2, nothing on standard output, and on standard
# error what is wrong, then the usage. Each line is the complaint, then the
# words joined by '|'.
set(bad_lines "unknown option '--bogus'|--bogus" "--help goes alone|--help|--bogus" "--version goes alone|--version|2")
if(NAME STREQUAL "pinwick")
  # The player's options and the window's, each with its value.
  list(APPEND bad_lines "--level '7': the level is 0, 1, 2 or 3|--level|7" "--level 'x'|--level|x"
       "--level needs a value|--level" "--mute is given twice|--mute|--mute"
       "--two-players is given twice|--two-players|--level|1|--two-players"
       "--scale '17': the magnification is 1 to 16|--scale|17" "--scale '.3'|--scale|+3"
       "--record '--mute': a file name beginning with '-' looks like an option|--record|--mute"
       "--trace is given twice|--trace|a|--trace|b" "--lang 'fr': the language is ja or en|--lang|fr"
       "--lang needs a value, ja or en|--lang" "--lang is given twice|--lang|en|--lang|en")
endif()
foreach(bad_line IN LISTS bad_lines)
  string(REPLACE "|" ";" bad "${bad_line}")
  list(POP_FRONT bad want)
  run(out err status ${bad})
  string(FIND "${err}" "${usage}" at)
  if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR at EQUAL -1 OR NOT err MATCHES "^${NAME}[a-z ]*: ${want}")
    message(FATAL_ERROR "'${bad}': status ${status}, output '${out}', errors '${err}'")
  endif()
endforeach()

# --help is help on every command of the tool, and names no file; a file
# name that begins with '-' is more likely a misplaced option.
if(NAME STREQUAL "pinwick-tool")
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/options_cli_help)
  file(REMOVE_RECURSE ${scratch})
  file(MAKE_DIRECTORY ${scratch})
  foreach(command selfplay sounds sheet replay)
    execute_process(COMMAND ${PROGRAM} ${command} --help WORKING_DIRECTORY ${scratch} OUTPUT_VARIABLE out
                    ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 20)
    file(GLOB made ${scratch}/*)
    if(NOT status EQUAL 0 OR NOT out MATCHES "^usage: pinwick-tool ${command} " OR NOT err STREQUAL "" OR made)
      message(FATAL_ERROR "${command} --help: status ${status}, output '${out}', errors '${err}', files '${made}'")
    endif()
  endforeach()
  execute_process(COMMAND ${PROGRAM} sheet -o WORKING_DIRECTORY ${scratch} ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
  file(GLOB made ${scratch}/*)
  if(NOT status EQUAL 2 OR NOT err MATCHES "^pinwick-tool sheet: '-o': a file name beginning with '-'" OR made)
    message(FATAL_ERROR "sheet -o: status ${status}, errors '${err}', files '${made}'")
  endif()
endif()
