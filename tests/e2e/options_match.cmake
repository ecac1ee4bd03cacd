# The player's options in whole headless runs: each lower level plays another
# match than level 3 on the same input; with two players the computer never
# moves and each click plays for the side to move; muted, the trace is the
# same and the sound silent. -DTOOL=pinwick-tool -DOUT=dir
file(MAKE_DIRECTORY ${OUT})

# The white card, then rounds in which the human clicks every square in turn
# (the first legal one plays), then Pass, then Z hurries the computer.
set(script "20 click 40 30\n")
set(frame 60)
foreach(round RANGE 1 34)
  foreach(square RANGE 0 63)
    math(EXPR x "56 + (${square} % 8) * 6 + 3")
    math(EXPR y "6 + (${square} / 8) * 6 + 3")
    string(APPEND script "${frame} click ${x} ${y}\n")
    math(EXPR frame "${frame} + 2")
  endforeach()
  math(EXPR z "${frame} + 2")
  string(APPEND script "${frame} click 140 48\n${z} press z\n")
  math(EXPR frame "${frame} + 32")
endforeach()
file(WRITE ${OUT}/match.txt "${script}")

function(replay name)
  execute_process(COMMAND ${TOOL} replay --script ${ARGN} --seconds 0 --trace ${OUT}/${name}.trace
                  RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "replay ${name}: status ${status}: ${err}")
  endif()
  file(READ ${OUT}/${name}.trace trace)
  set(${name} "${trace}" PARENT_SCOPE)
endfunction()

replay(level3 ${OUT}/match.txt)
replay(level3_named ${OUT}/match.txt --level 3)
if(NOT level3 STREQUAL level3_named)
  message(FATAL_ERROR "--level 3 plays otherwise than no option")
endif()
foreach(level 0 1 2)
  replay(level${level} ${OUT}/match.txt --level ${level})
  if(level${level} STREQUAL level3)
    message(FATAL_ERROR "--level ${level} played the same match as level 3")
  endif()
endforeach()
if(level0 STREQUAL level1 OR level1 STREQUAL level2 OR level0 STREQUAL level2)
  message(FATAL_ERROR "two of the levels 0, 1 and 2 played the same match")
endif()

# A recording's start-up lines carry the same choice.
file(WRITE ${OUT}/match_level1.txt "0 level 1\n${script}")
replay(level1_recorded ${OUT}/match_level1.txt)
if(NOT level1_recorded STREQUAL level1)
  message(FATAL_ERROR "'0 level 1' in the script plays otherwise than --level 1")
endif()

# Two players: nothing moves for 400 frames of Z, then each click plays for
# the side to move: white (5, 3), then black (5, 4).
file(WRITE ${OUT}/two.txt "20 click 40 30\n100 press z\n200 press z\n300 press z\n450 click 89 27\n520 click 89 33\n600 press esc\n")
replay(two ${OUT}/two.txt --two-players)
string(REGEX MATCH "f=440 [^\n]*" before "${two}")
string(REGEX MATCH "f=500 [^\n]*" after_white "${two}")
string(REGEX MATCH "f=590 [^\n]*" after_black "${two}")
if(NOT before MATCHES "hc=0 .*b=0000000000000000000000000001200000021000000000000000000000000000")
  message(FATAL_ERROR "with two players something moved by itself: ${before}")
endif()
if(NOT after_white MATCHES "side=2 .*b=0000000000000000000000000001110000021000000000000000000000000000")
  message(FATAL_ERROR "the first click did not play white's (5, 3): ${after_white}")
endif()
if(NOT after_black MATCHES "side=1 .*b=0000000000000000000000000001110000022200000000000000000000000000")
  message(FATAL_ERROR "the second click did not play black's (5, 4): ${after_black}")
endif()

# Muted: the same trace, silent audio.
execute_process(COMMAND ${TOOL} replay --script ${OUT}/two.txt --seconds 0 --trace ${OUT}/loud.trace
                        --audio ${OUT}/loud.wav RESULT_VARIABLE s1 TIMEOUT 60)
execute_process(COMMAND ${TOOL} replay --script ${OUT}/two.txt --seconds 0 --mute
                        --trace ${OUT}/mute.trace --audio ${OUT}/mute.wav RESULT_VARIABLE s2 TIMEOUT 60)
file(READ ${OUT}/loud.trace loud)
file(READ ${OUT}/mute.trace mute)
if(NOT s1 EQUAL 0 OR NOT s2 EQUAL 0 OR NOT loud STREQUAL mute)
  message(FATAL_ERROR "--mute changed the trace (status ${s1}, ${s2})")
endif()
file(READ ${OUT}/loud.wav loud_wav HEX OFFSET 44)
file(READ ${OUT}/mute.wav mute_wav HEX OFFSET 44)
string(REGEX REPLACE "80" "" mute_rest "${mute_wav}")
string(REGEX REPLACE "80" "" loud_rest "${loud_wav}")
if(NOT mute_rest STREQUAL "" OR loud_rest STREQUAL "")
  message(FATAL_ERROR "muted audio is not silent, or the normal run had no sound")
endif()

execute_process(COMMAND ${TOOL} replay --level 4 --frames 5 RESULT_VARIABLE bad ERROR_VARIABLE err TIMEOUT 60)
if(NOT bad EQUAL 2 OR NOT err MATCHES "usage: pinwick-tool replay")
  message(FATAL_ERROR "--level 4: status ${bad}")
endif()
