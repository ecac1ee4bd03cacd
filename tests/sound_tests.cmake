# The synthesiser, the sound bank over the headless device, the WAV writer,
# and pinwick-tool sounds end to end.
pinwick_test(test_synth test_synth.cpp LIBS pinwick_sound pinwick_sound_headless pinwick_game)
pinwick_test(test_sound_bank test_sound_bank.cpp LIBS pinwick_sound pinwick_sound_headless pinwick_game)
pinwick_test(test_sound_device test_sound_device.cpp LIBS pinwick_sound_headless)
pinwick_test(test_sound_wav test_sound_wav.cpp LIBS pinwick_wav)

find_program(PINWICK_SOXI soxi)
add_test(NAME tool_sounds_cli
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:pinwick-tool> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/sounds_cli
                 -DSOXI=${PINWICK_SOXI} -P ${CMAKE_CURRENT_SOURCE_DIR}/e2e/sounds_cli.cmake)
