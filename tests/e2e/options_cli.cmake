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

# Each bad command line's words are joined by '|'.
set(bad_lines "--bogus" "--help|--bogus" "--version|2")
if(NAME STREQUAL "pinwick")
  # The player's options: a level out of range or not a number, one given twice.
  list(APPEND bad_lines "--level|7" "--level|x" "--level" "--mute|--mute" "--two-players|--level|1|--two-players")
endif()
foreach(bad_line IN LISTS bad_lines)
  string(REPLACE "|" ";" bad "${bad_line}")
  run(out err status ${bad})
  string(FIND "${err}" "${usage}" at)
  if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR at EQUAL -1)
    message(FATAL_ERROR "'${bad}': status ${status}, output '${out}', errors '${err}'")
  endif()
endforeach()
