# pinwick-tool replay's own errors: a malformed script, what is no script at
# all, a game left waiting for a message the script does not have, a shot
# past the end of the run; and the command line's.
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
expect_replay(2 "cannot read the script ${dir}/missing.txt: No such file" --script ${dir}/missing.txt)
# A directory or a device is refused by its type, before anything is read;
# standard input is read, but not past what a script may hold.
expect_replay(2 "cannot read the script ${dir}: it is a directory" --script ${dir} --trace -)
expect_replay(2 "cannot read the script /dev/zero: it is not a file" --script /dev/zero --trace -)
execute_process(COMMAND ${TOOL} replay --script - --trace - INPUT_FILE /dev/zero OUTPUT_VARIABLE out
                ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR
   NOT err MATCHES "script \\(standard input\\): it holds more than a script may \\(64 MiB\\)")
  message(FATAL_ERROR "an endless standard input: status ${status}, '${err}'")
endif()
# A pipe is read to its end, however late and slowly its writer writes.
file(REMOVE ${dir}/pipe)
execute_process(COMMAND mkfifo ${dir}/pipe TIMEOUT 60)
execute_process(COMMAND sh -c "sleep 0.5; { echo '5 click 40 30'; sleep 0.5; echo '30 press esc'; } >'${dir}/pipe'"
                COMMAND ${TOOL} replay --script ${dir}/pipe --trace - OUTPUT_VARIABLE out RESULT_VARIABLE status
                TIMEOUT 20)
if(NOT status EQUAL 0 OR NOT out MATCHES "\nf=30 [^\n]*\nexit=1\n$")
  message(FATAL_ERROR "the script from a pipe was not played to its Esc at frame 30 (status ${status})")
endif()

# A recording's choices are its own: the command line may not change them.
file(WRITE ${dir}/level1.txt "0 level 1\n5 press esc\n")
expect_replay(2 "level1.txt: the script plays at level 1, but the command line asks for --level 2"
              --script ${dir}/level1.txt --level 2)

# Each answer of a script waits for its close question, however many wait:
# the seventeenth, Yes, ends the game at the seventeenth close.
string(REPEAT "1 answer no\n" 16 answers)
set(closes "")
foreach(n RANGE 1 17)
  math(EXPR frame "10 + 4 * ${n}")
  string(APPEND closes "${frame} close\n")
endforeach()
file(WRITE ${dir}/answers.txt "${answers}1 answer yes\n${closes}")
expect_replay(0 "confirm \\(yes\\)" --script ${dir}/answers.txt --trace -)
if(NOT last_out MATCHES "\nf=77 [^\n]*\nexit=")
  message(FATAL_ERROR "the seventeenth answer did not end the game at the seventeenth close")
endif()

# The run's end, a hundred frames after the last event or shot, stays a frame
# count even at the last frame a script can name.
file(WRITE ${dir}/far.txt "5 press esc\n2147483646 mouse 1 1\n")
expect_replay(1 "the run ended before frame 2147483646" --script ${dir}/far.txt
              --shot 2147483646:${dir}/far.png)

# A wrong command line names the option, the value and what is wrong.
expect_replay(2 "--frames '0': the last frame is a number from 1 to 2147483646\nusage: pinwick-tool replay" --frames 0)
expect_replay(2 "--shot '12': not FRAME:FILE.png\nusage" --shot 12)
expect_replay(2 "--audio '-o': a file name beginning with '-' looks like an option" --audio -o)
foreach(twice "--script;a.txt" "--trace;-" "--frames;5" "--seconds;5" "--monkey;1" "--player;1" "--realtime")
  list(GET twice 0 option)
  expect_replay(2 "${option} is given twice\nusage" ${twice} ${twice})
endforeach()

file(WRITE ${dir}/starved.txt "10 minimise\n")
expect_replay(1 "frame 10: the game waits for a message \\(minimised\\)" --script ${dir}/starved.txt --trace ${dir}/starved.trace)
file(STRINGS ${dir}/starved.trace lines)
list(LENGTH lines n)
if(NOT n EQUAL 9)
  message(FATAL_ERROR "the starved run should have completed 9 frames, not ${n}")
endif()

file(WRITE ${dir}/card.txt "5 click 40 30\n")
expect_replay(1 "the run ended before frame 500" --frames 20 --shot 500:${dir}/never.png)
if(EXISTS ${dir}/never.png)
  message(FATAL_ERROR "no picture may be claimed for a frame that never ran")
endif()
expect_replay(1 "cannot write [^\n]*/no/such/dir/x.png: No such file or directory" --frames 5
              --shot 3:${dir}/no/such/dir/x.png)
# Two outputs into one file are refused before the run, whatever the names;
# so is an output over the script it plays.
expect_replay(2 "--trace ${dir}/one and --audio ${dir}/./one name one file" --frames 5 --trace ${dir}/one
              --audio ${dir}/./one)
expect_replay(2 "--script ${dir}/card.txt and --shot ${dir}/card.txt name one file" --script ${dir}/card.txt
              --shot 3:${dir}/card.txt)
if(EXISTS ${dir}/one)
  message(FATAL_ERROR "a refused command line wrote its output")
endif()
# A trace into a full disk says so.
expect_replay(1 "replay: cannot write /dev/full: No space left on device" --frames 300 --trace /dev/full)

# The mixed audio of a 40-frame run: a WAV file of about 40 x 441 samples.
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
