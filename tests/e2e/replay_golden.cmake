# One golden replay: runs pinwick-tool replay on SCRIPT and compares the trace
# with the one beside it byte for byte, and the screenshots its "# shot N"
# lines ask for pixel for pixel (PNG_COMPARE, pinwick-png-compare). With
# -DUPDATE=1 it writes those that changed instead (a picture only when its
# pixels did, so that another compressor leaves the files alone). "# shot en N"
# lines ask for the same run in English: the same trace, and the pictures
# NAME.en.N.png.
#   cmake -DTOOL=... -DPNG_COMPARE=... -DSCRIPT=.../NAME.txt -DOUT=dir [-DUPDATE=1] -P replay_golden.cmake
if(NOT PNG_COMPARE)
  message(FATAL_ERROR "replay_golden.cmake needs -DPNG_COMPARE=pinwick-png-compare")
endif()
get_filename_component(name ${SCRIPT} NAME_WE)
get_filename_component(dir ${SCRIPT} DIRECTORY)
file(MAKE_DIRECTORY ${OUT})
# run(LANG TRACE SHOT_LINES_REGEX): the replay in that language, its trace
# into OUT/TRACE and the shots the script's matching lines ask for; the
# shots' names go to `shots`.
function(run lang trace regex)
  file(STRINGS ${SCRIPT} shot_lines REGEX "${regex}")
  set(shot_args "")
  set(names "")
  set(infix "")
  if(NOT lang STREQUAL "ja")
    set(infix ".${lang}")
  endif()
  foreach(line IN LISTS shot_lines)
    string(REGEX REPLACE "^# shot ([a-z]+ )?" "" frame "${line}")
    list(APPEND shot_args --shot ${frame}:${OUT}/${name}${infix}.${frame}.png)
    list(APPEND names ${name}${infix}.${frame}.png)
  endforeach()
  # Japanese is the default, and the goldens are made without --lang.
  set(lang_args "")
  if(infix)
    set(lang_args --lang ${lang})
  endif()
  execute_process(
    COMMAND ${TOOL} replay --script ${SCRIPT} --seconds 0 ${lang_args} --trace ${OUT}/${trace} ${shot_args}
    RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "replay of ${name} (${lang}) exited with ${status}: ${err}")
  endif()
  set(shots "${names}" PARENT_SCOPE)
endfunction()

# check(GOT WANT): OUT/GOT against the expected file WANT beside the script,
# or, with UPDATE, WANT rewritten from GOT when they differ.
function(check got file)
  if(file MATCHES "\\.png$")
    set(compare ${PNG_COMPARE})
  else()
    set(compare ${CMAKE_COMMAND} -E compare_files)
  endif()
  set(differs 0)
  if(EXISTS ${dir}/${file})
    execute_process(COMMAND ${compare} ${OUT}/${got} ${dir}/${file} RESULT_VARIABLE differs
                    ERROR_VARIABLE compare_errors TIMEOUT 60)
  elseif(NOT UPDATE)
    message(FATAL_ERROR "no expected ${file}: run 'make goldens' and check the result")
  endif()
  if(UPDATE)
    if(differs OR NOT EXISTS ${dir}/${file})
      file(COPY_FILE ${OUT}/${got} ${dir}/${file})
      message(STATUS "updated ${dir}/${file}")
    endif()
    return()
  endif()
  if(differs)
    if(file MATCHES "\\.trace$")
      # Name the first frame that differs.
      file(STRINGS ${OUT}/${got} got_lines)
      file(STRINGS ${dir}/${file} want_lines)
      list(LENGTH got_lines ngot)
      list(LENGTH want_lines nwant)
      set(i 0)
      while(i LESS ngot AND i LESS nwant)
        list(GET got_lines ${i} g)
        list(GET want_lines ${i} w)
        if(NOT g STREQUAL w)
          message(FATAL_ERROR "${name}: ${got} differs at line ${i}+1\n  got:  ${g}\n  want: ${w}")
        endif()
        math(EXPR i "${i} + 1")
      endwhile()
      message(FATAL_ERROR "${name}: ${got} has ${ngot} lines, expected ${nwant}")
    endif()
    message(FATAL_ERROR "${name}: ${file} differs from the expected picture (see ${OUT}/${got}): ${compare_errors}")
  endif()
endfunction()

run(ja ${name}.trace "^# shot [0-9]+$")
check(${name}.trace ${name}.trace)
foreach(shot IN LISTS shots)
  check(${shot} ${shot})
endforeach()

# "# shot en N" lines: the same run in English plays the same frames (the
# same trace) and shows the English pictures.
file(STRINGS ${SCRIPT} english_lines REGEX "^# shot en [0-9]+$")
if(english_lines)
  run(en ${name}.en.trace "^# shot en [0-9]+$")
  if(NOT UPDATE)
    check(${name}.en.trace ${name}.trace)
  endif()
  foreach(shot IN LISTS shots)
    check(${shot} ${shot})
  endforeach()
endif()
