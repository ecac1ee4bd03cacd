# The page in headless Chromium, served on the loopback, against this
# build's headless tool. It needs the page (make web); only the plain build
# runs it.
if(NOT PINWICK_SANITIZE)
  set(PINWICK_WEB_PAGE ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "Where make web puts the page")
  find_program(PINWICK_FOUND_chromium chromium)
  find_program(PINWICK_FOUND_python3 python3)
  find_program(PINWICK_FOUND_convert convert)
  if(NOT PINWICK_FOUND_chromium OR NOT PINWICK_FOUND_python3 OR NOT PINWICK_FOUND_convert)
    foreach(case title play close settings offline share audio ux_leave ux_keys ux_panels ux_upright ux_failed access_match access_controls keys lang)
      pinwick_skipped_test(web_${case} "chromium, python3 or convert not found (scripts/install-deps installs them)")
    endforeach()
  else()
    foreach(case title play close settings)
      add_test(NAME web_${case}
               COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/web_tests.py ${case} ${PINWICK_WEB_PAGE}
                       $<TARGET_FILE:pinwick-tool>)
      # Real time: the page's frames run on the browser's clock.
      set_tests_properties(web_${case} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    endforeach()
    # Installed, offline and shared, and its sound: the page's own files in
    # the browser.
    foreach(case offline share audio)
      add_test(NAME web_${case}
               COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/share_tests.py ${case} ${PINWICK_WEB_PAGE}
                       $<TARGET_FILE:pinwick-tool>)
      set_tests_properties(web_${case} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    endforeach()
    # The page's guards and layouts (ux_tests.py).
    foreach(case leave keys panels upright failed)
      add_test(NAME web_ux_${case}
               COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/ux_tests.py ${case} ${PINWICK_WEB_PAGE}
                       $<TARGET_FILE:pinwick-tool>)
      set_tests_properties(web_ux_${case} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    endforeach()
    # The page in words and from the keyboard (access_tests.py).
    foreach(case match controls)
      add_test(NAME web_access_${case}
               COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/access_tests.py ${case} ${PINWICK_WEB_PAGE}
                       $<TARGET_FILE:pinwick-tool>)
      set_tests_properties(web_access_${case} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    endforeach()
    # Keyboard play on the page.
    add_test(NAME web_keys
             COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/keys_tests.py keys ${PINWICK_WEB_PAGE}
                     $<TARGET_FILE:pinwick-tool>)
    set_tests_properties(web_keys PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    # The page's language (its own file, web_tests.py's helpers).
    add_test(NAME web_lang
             COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/lang_tests.py lang ${PINWICK_WEB_PAGE}
                     $<TARGET_FILE:pinwick-tool>)
    set_tests_properties(web_lang PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  endif()
endif()
