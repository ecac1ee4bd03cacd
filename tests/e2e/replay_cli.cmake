# pinwick-tool replay's own errors: a malformed script, a game left waiting
# for a message the script does not have, a shot past the end of the run.
function(expect_replay want_status want_err)
  execute_process(COMMAND ${TOOL} replay ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
                  TIMEOUT 60)
  if(NOT status EQUAL want_status)
    message(FATAL_ERROR "replay ${ARGN}: status ${status}, expected ${want_status}\n${err}")
  endif()
  if(NOT err MATCHES "${want_err}")
    message(FATAL_ERROR "replay ${ARGN}: stderr '${err}' does not say '${want_err}'")
  endif()
  set(last_out "${out}" PARENT_SCOPE)
endfunction()

set(dir ${OUT})
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/bad.txt "# fine\n5 click 10 10\n7 wiggle\n")
expect_replay(2 "bad.txt:3: unknown event 'wiggle'" --script ${dir}/bad.txt --trace -)
if(NOT last_out STREQUAL "")
  message(FATAL_ERROR "a malformed script must stop the tool before the game starts")
endif()
# A frame no run can reach: refused, nothing runs.
file(WRITE ${dir}/late.txt "5 click 10 10\n2147483647 press z\n")
expect_replay(2 "late.txt:2: frame 2147483647 lies past the last frame a run can reach" --script ${dir}/late.txt
              --trace -)
if(NOT last_out STREQUAL "")
  message(FATAL_ERROR "a script with a frame past the end must not run")
endif()
expect_replay(2 "cannot read the script" --script ${dir}/missing.txt)
expect_replay(2 "usage: pinwick-tool replay" --frames 0)
expect_replay(2 "usage: pinwick-tool replay" --shot 12)

file(WRITE ${dir}/starved.txt "10 minimise\n")
expect_replay(1 "frame 10: the game waits for a message \\(minimised\\)" --script ${dir}/starved.txt --trace ${dir}/starved.trace)
file(STRINGS ${dir}/starved.trace lines)
list(LENGTH lines n)
if(NOT n EQUAL 9)
  message(FATAL_ERROR "the starved run should have completed 9 frames, not ${n}")
endif()

expect_replay(1 "the run ended before frame 500" --frames 20 --shot 500:${dir}/never.png)
if(EXISTS ${dir}/never.png)
  message(FATAL_ERROR "no picture may be claimed for a frame that never ran")
endif()
expect_replay(1 "cannot write" --frames 5 --shot 3:${dir}/no/such/dir/x.png)

# The mixed audio of a 40-frame run: a WAV file of about 40 x 441 samples.
file(WRITE ${dir}/card.txt "5 click 40 30\n")
expect_replay(0 "" --script ${dir}/card.txt --frames 40 --audio ${dir}/card.wav)
file(SIZE ${dir}/card.wav size)
if(size LESS 15000)
  message(FATAL_ERROR "40 frames of audio should hold about 17640 samples, the file has ${size} bytes")
endif()
file(READ ${dir}/card.wav head LIMIT 4 HEX)
if(NOT head STREQUAL "52494646")
  message(FATAL_ERROR "card.wav is not a RIFF file")
endif()

# Without --frames a run goes on for 100 frames after the last thing asked
# of it, here the shot of frame 50 after the click of frame 5.
expect_replay(0 "" --script ${dir}/card.txt --shot 50:${dir}/tail.png --trace ${dir}/tail.trace)
file(STRINGS ${dir}/tail.trace lines)
list(LENGTH lines n)
if(NOT n EQUAL 150)
  message(FATAL_ERROR "a run without --frames should end 100 frames after its last shot, at 150, not ${n}")
endif()

expect_replay(0 "" --frames 3 --realtime --trace ${dir}/realtime.trace)
file(STRINGS ${dir}/realtime.trace lines)
list(GET lines 2 third)
if(NOT third MATCHES "^f=3 t=[0-9]+ sc=2 ")
  message(FATAL_ERROR "a real-time trace line carries t=: ${third}")
endif()
