# The SDL shell: its parts without a window (unit tests), its sound device on
# SDL's dummy driver, and the game itself in a private X server (Xvfb) driven
# by xdotool and photographed with ImageMagick's import.
pinwick_test(test_sdl_shell test_sdl_shell.cpp LIBS pinwick_sdl_game pinwick_pictures)
pinwick_test(test_sdl_sound test_sdl_sound.cpp LIBS pinwick_sound pinwick_sound_sdl pinwick_game pinwick_pictures SDL2::SDL2)

# Asks a window to close as a close box does, and times how soon a window
# appears (the resource bench).
find_package(X11 REQUIRED)
add_executable(pinwick-test-x e2e/sdl/x_helper.cpp)
target_link_libraries(pinwick-test-x PRIVATE X11::X11)

set(sdl_e2e_cases window title_pixels play quick_click single_instance environment close sound_gone record record_killed
                  locale_en locale_ja)
foreach(case IN LISTS sdl_e2e_cases)
  add_test(NAME sdl_e2e_${case}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/sdl/run.sh ${case}
                   $<TARGET_FILE:pinwick> $<TARGET_FILE:pinwick-tool> $<TARGET_FILE:pinwick-test-x>)
  set_tests_properties(sdl_e2e_${case} PROPERTIES TIMEOUT 180
                       ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/sdl/lsan.supp")
endforeach()
