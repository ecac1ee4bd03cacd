# pinwick-tool selfplay from the command line: same bytes every run, and
# bad arguments answered with a usage line and status 2.
function(run_tool out_var status_var)
  execute_process(COMMAND ${TOOL} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${status_var} "${status}" PARENT_SCOPE)
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

run_tool(first status selfplay --level 3 --games 20 --seconds 7)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "selfplay failed with ${status}")
endif()
run_tool(second status selfplay --level 3 --games 20 --seconds 7)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two runs of the same selfplay differ")
endif()
string(REGEX MATCHALL "[^\n]+\n" lines "${first}")
list(LENGTH lines count)
if(NOT count EQUAL 20)
  message(FATAL_ERROR "expected 20 games, got ${count}")
endif()
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^(([a-h][1-8]|--) )+= [0-9]+:[0-9]+\n$")
    message(FATAL_ERROR "malformed game line: ${line}")
  endif()
endforeach()

foreach(bad "bogus" "selfplay;--level;4" "selfplay;--level;-1" "selfplay;--games;0"
            "selfplay;--games;x3" "selfplay;--games" "selfplay;--frobnicate" "selfplay;--seconds;60")
  run_tool(out status ${bad})
  if(NOT status EQUAL 2)
    message(FATAL_ERROR "'${bad}' gave status ${status}, expected 2")
  endif()
  if(NOT last_err MATCHES "usage: pinwick-tool")
    message(FATAL_ERROR "'${bad}' printed no usage line: ${last_err}")
  endif()
endforeach()

# Standard output that takes nothing: a full disk, or none at all. The games
# are not lost without a word.
execute_process(COMMAND ${TOOL} selfplay --games 200 --seconds 7 OUTPUT_FILE /dev/full ERROR_VARIABLE full_err
                RESULT_VARIABLE full_status)
execute_process(COMMAND sh -c "exec >&-; exec \"$0\" selfplay --seconds 7" ${TOOL} ERROR_VARIABLE closed_err
                RESULT_VARIABLE closed_status)
if(NOT full_status EQUAL 1 OR NOT full_err MATCHES "selfplay: standard output: No space left on device")
  message(FATAL_ERROR "selfplay into a full disk gave status ${full_status}: ${full_err}")
endif()
if(NOT closed_status EQUAL 1 OR NOT closed_err MATCHES "selfplay: standard output: Bad file descriptor")
  message(FATAL_ERROR "selfplay with no standard output gave status ${closed_status}: ${closed_err}")
endif()
