# runGame's answer to a graphics device that cannot be started, on every shell.
pinwick_test(test_start_failure test_start_failure.cpp LIBS pinwick_headless_game pinwick_pictures)

# The Windows program under Wine and Xvfb, against this build's headless
# tool. It needs the win32 preset's programs (make win32), and only the
# plain build runs it: the sanitizer build would repeat the same run.
if(NOT PINWICK_SANITIZE)
  set(PINWICK_WIN32_BIN ${PROJECT_SOURCE_DIR}/build/win32/bin CACHE PATH
      "Where the win32 preset puts pinwick.exe, pinwick-tool.exe and pinwick-probe.exe")
  set(wine_tools wine wineboot wineserver winepath Xvfb xdotool import compare convert locale)
  set(missing "")
  foreach(tool ${wine_tools})
    find_program(PINWICK_FOUND_${tool} ${tool})
    if(NOT PINWICK_FOUND_${tool})
      list(APPEND missing ${tool})
    endif()
  endforeach()
  if(missing)
    # Still a test, so that the run's summary says it was skipped and why.
    pinwick_skipped_test(win32_wine "${missing} not found (scripts/install-deps installs them)")
  else()
    add_test(NAME win32_wine
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/wine_tests.sh ${PINWICK_WIN32_BIN}
                     $<TARGET_FILE:pinwick-tool> ${CMAKE_CURRENT_BINARY_DIR}/wine)
    # Real time and a real X server: nothing else runs beside it.
    set_tests_properties(win32_wine PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  endif()

  # What Wine cannot show here: the program's manifest, icons and version,
  # read back from pinwick.exe itself.
  find_program(PINWICK_FOUND_python3 python3)
  if(NOT PINWICK_FOUND_python3)
    pinwick_skipped_test(win32_resources "python3 not found (scripts/install-deps installs it)")
  else()
    add_test(NAME win32_resources
             COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/resources_test.py ${PINWICK_WIN32_BIN}/pinwick.exe)
    set_tests_properties(win32_resources PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)
  endif()
endif()
