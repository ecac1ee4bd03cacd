# pinwick-tool sounds from the command line: eight valid WAV files with the
# exact bytes of the game's sounds; a directory that is missing or cannot be
# written fails with status 1 and leaves no file; bad arguments give status 2.
# Inputs: TOOL, WORK (a scratch directory), SOXI (may be empty).
function(run_tool)
  execute_process(COMMAND ${TOOL} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
  set(last_out "${out}" PARENT_SCOPE)
  set(last_err "${err}" PARENT_SCOPE)
  set(last_status "${status}" PARENT_SCOPE)
endfunction()

function(expect_no_wav dir)
  file(GLOB left "${dir}/*")
  if(left)
    message(FATAL_ERROR "files left behind in ${dir}: ${left}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/out")

run_tool(sounds "${WORK}/out")
if(NOT last_status EQUAL 0)
  message(FATAL_ERROR "sounds failed with ${last_status}: ${last_err}")
endif()

# Lengths and the SHA-256 of each whole file: the 44-byte header (PCM, 1
# channel, 22050 Hz, 8 bits, data chunk of exactly the sound's length) and
# every sample byte.
set(lengths 10000 10000 6000 4000 10000 10000 22050 22000)
set(hashes
  f32f889f474569799aa9a0b773ffc13f2fe40e89f7a1ffee54f9ae10a1d5c639
  0d3b45866e9974534479a55598b6c17cb7e51af8d08bc54db9b42a87679d5041
  a8b53fb1279e8927be9384813b8766e0386f8944962d4b18eb1f3e38a184c476
  5000372024170b82ad9d57a2a19f3287809e94abcc943ba2eecb0895b3518376
  c4fb287b2d3a3550203c123f2810db38928d2e96fa615fdb2098667b31ad9b73
  597992ebbf48f2efb930d27aca68a24b45759b7c6b53d0b3d6d1af5ba9b05f56
  6343da3598de7ab22a2e3cd8fe0aa44486832d8674cf492c7dda68f84ada2ca2
  3c0656033eb4db4443bda889b0b9da6cf9d88192d45f5e0442be49e1b8861857)

foreach(n RANGE 1 8)
  math(EXPR i "${n} - 1")
  list(GET lengths ${i} length)
  list(GET hashes ${i} expected_hash)
  set(wav "${WORK}/out/sound${n}.wav")
  if(NOT EXISTS "${wav}")
    message(FATAL_ERROR "sound${n}.wav was not written")
  endif()
  if(NOT last_out MATCHES "wrote [^\n]*sound${n}.wav")
    message(FATAL_ERROR "sound${n}.wav not reported: ${last_out}")
  endif()
  file(SHA256 "${wav}" hash)
  if(NOT hash STREQUAL expected_hash)
    file(SIZE "${wav}" size)
    message(FATAL_ERROR "sound${n}.wav (${size} bytes) differs from the game's sound (sha256 ${hash})")
  endif()

  if(SOXI)
    foreach(check "-r;22050" "-c;1" "-b;8" "-e;Unsigned Integer PCM" "-s;${length}")
      list(GET check 0 flag)
      list(GET check 1 want)
      execute_process(COMMAND ${SOXI} ${flag} "${wav}" OUTPUT_VARIABLE got OUTPUT_STRIP_TRAILING_WHITESPACE
                      RESULT_VARIABLE soxi_status TIMEOUT 60)
      if(NOT soxi_status EQUAL 0 OR NOT got STREQUAL want)
        message(FATAL_ERROR "soxi ${flag} sound${n}.wav gave '${got}' (status ${soxi_status}), expected '${want}'")
      endif()
    endforeach()
  endif()
endforeach()
if(NOT SOXI)
  message(WARNING "soxi not found: headers checked through the file hashes only (scripts/install-deps installs sox)")
endif()

# A second run over the same directory replaces the files with the same bytes.
run_tool(sounds "${WORK}/out/")
file(SHA256 "${WORK}/out/sound7.wav" again)
list(GET hashes 6 expected_hash)
if(NOT last_status EQUAL 0 OR NOT again STREQUAL expected_hash)
  message(FATAL_ERROR "second run over the same directory failed (${last_status}): ${last_err}")
endif()

# The files are written, but the words saying so are lost on a full disk:
# that is a failure too, with its reason.
execute_process(COMMAND ${TOOL} sounds "${WORK}/out" OUTPUT_FILE /dev/full ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 1 OR NOT err MATCHES "sounds: standard output: No space left on device")
  message(FATAL_ERROR "sounds with a full standard output gave status ${status}: ${err}")
endif()

# Missing directory, a file given as the directory, and a directory that
# cannot be written: status 1, a message naming it, nothing claimed written.
file(WRITE "${WORK}/plain-file" "")
set(failing "${WORK}/missing" "${WORK}/plain-file")
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE TIMEOUT 60)
if(uid STREQUAL "0")
  # Permissions do not stop root; nobody can create files in /proc.
  if(IS_DIRECTORY /proc)
    list(APPEND failing /proc)
  endif()
else()
  file(MAKE_DIRECTORY "${WORK}/locked")
  file(CHMOD "${WORK}/locked" DIRECTORY_PERMISSIONS OWNER_READ OWNER_EXECUTE)
  list(APPEND failing "${WORK}/locked")
endif()
foreach(dir IN LISTS failing)
  run_tool(sounds "${dir}")
  if(NOT last_status EQUAL 1)
    message(FATAL_ERROR "sounds into '${dir}' gave status ${last_status}, expected 1")
  endif()
  string(FIND "${last_err}" "${dir}" named)
  if(named EQUAL -1)
    message(FATAL_ERROR "the message does not name '${dir}': ${last_err}")
  endif()
  if(last_out MATCHES "wrote")
    message(FATAL_ERROR "sounds into '${dir}' claimed a file written: ${last_out}")
  endif()
endforeach()
if(EXISTS "${WORK}/locked")
  expect_no_wav("${WORK}/locked")
  file(CHMOD "${WORK}/locked" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endif()
if(EXISTS "${WORK}/missing")
  message(FATAL_ERROR "sounds created the missing directory")
endif()

foreach(bad "sounds" "sounds;${WORK}/out;${WORK}/out" "sounds;--frobnicate" "empty name")
  if(bad STREQUAL "empty name")
    # An empty argument does not survive a list expansion: call directly.
    execute_process(COMMAND ${TOOL} sounds "" ERROR_VARIABLE last_err RESULT_VARIABLE last_status OUTPUT_QUIET
                    TIMEOUT 60)
  else()
    run_tool(${bad})
  endif()
  if(NOT last_status EQUAL 2)
    message(FATAL_ERROR "'${bad}' gave status ${last_status}, expected 2")
  endif()
  if(NOT last_err MATCHES "usage: pinwick-tool sounds DIR")
    message(FATAL_ERROR "'${bad}' printed no usage line: ${last_err}")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
