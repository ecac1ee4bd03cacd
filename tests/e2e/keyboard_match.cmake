# A whole match played from the keyboard alone (KEYS, a script with no mouse
# event) against its mouse twin (MOUSE, the same moves clicked on the same
# frames): the keys must reach the end card and the scene after it, and both
# runs must make the same trace but for the cursor's cur= field.
#   cmake -DTOOL=... -DKEYS=... -DMOUSE=... -DOUT=dir -P keyboard_match.cmake
file(MAKE_DIRECTORY ${OUT})
file(STRINGS ${KEYS} mouse_lines REGEX "^[0-9]+ (click|mouse|down|up|pos) ")
if(mouse_lines)
  message(FATAL_ERROR "${KEYS} uses the mouse: ${mouse_lines}")
endif()
foreach(side keys mouse)
  string(TOUPPER ${side} script)
  execute_process(COMMAND ${TOOL} replay --script ${${script}} --seconds 0 --trace ${OUT}/${side}.trace
                  RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "replay of ${${script}} exited with ${status}: ${err}")
  endif()
  file(READ ${OUT}/${side}.trace ${side})
endforeach()

if(NOT keys MATCHES " cur=[a-h][1-8]\n")
  message(FATAL_ERROR "the keyboard match never showed its cursor")
endif()
if(NOT keys MATCHES "sc=3 ms=5 [^\n]*\nf=[0-9]+ sc=[45] ")
  message(FATAL_ERROR "the keyboard match did not go from the end card to the next scene")
endif()
string(REGEX REPLACE " cur=[a-z0-9]+" "" keys "${keys}")
if(NOT keys STREQUAL mouse)
  file(WRITE ${OUT}/keys-without-cursor.trace "${keys}")
  message(FATAL_ERROR "the keyboard match and its mouse twin differ: "
                      "compare ${OUT}/keys-without-cursor.trace with ${OUT}/mouse.trace")
endif()
