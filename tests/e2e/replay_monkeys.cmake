# A monkey's run (--monkey or --player): it must end cleanly after FRAMES
# frames with a summary naming the SCENES (a comma list) it must have reached, and, with
# MIN_ENDING_PERCENT, spend at least that share of its frames in the ending.
# With REPEAT the same seed is run twice more for a short traced stretch,
# which must come out the same.
execute_process(COMMAND ${TOOL} replay --${WHO} ${SEED} --frames ${FRAMES} --seconds ${SECONDS}
                ERROR_VARIABLE err RESULT_VARIABLE status)
string(REGEX MATCH "${WHO} ${SEED}: [^\n]*" summary "${err}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "--${WHO} ${SEED}: status ${status}\n${err}")
endif()
if(NOT summary MATCHES "^${WHO} ${SEED}: ${FRAMES} frames; .* invariant checks; ")
  message(FATAL_ERROR "no summary of ${FRAMES} frames: '${summary}'")
endif()
message(STATUS "${summary}")
string(REPLACE "," ";" scenes "${SCENES}")
foreach(scene IN LISTS scenes)
  if(NOT summary MATCHES " ${scene} [0-9]+ \\(")
    message(FATAL_ERROR "the run never reached the ${scene} scene: ${summary}")
  endif()
endforeach()
if(DEFINED MIN_ENDING_PERCENT)
  string(REGEX MATCH " ending ([0-9]+) " found "${summary}")
  math(EXPR need "${FRAMES} * ${MIN_ENDING_PERCENT} / 100")
  if(NOT found OR CMAKE_MATCH_1 LESS need)
    message(FATAL_ERROR "fewer than ${need} frames in the ending: ${summary}")
  endif()
endif()
if(REPEAT)
  foreach(n 1 2)
    execute_process(COMMAND ${TOOL} replay --${WHO} ${SEED} --frames ${REPEAT} --seconds ${SECONDS}
                            --trace ${OUT}-${n}.trace ERROR_QUIET RESULT_VARIABLE status)
  endforeach()
  file(SHA256 ${OUT}-1.trace first)
  file(SHA256 ${OUT}-2.trace second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "two runs of --${WHO} ${SEED} went different ways (${OUT}-*.trace)")
  endif()
endif()
