# The synthesiser, the sound bank over the headless device, the WAV writer,
# wave loading, and pinwick-tool sounds end to end.
pinwick_test(test_synth test_synth.cpp LIBS pinwick_sound pinwick_sound_headless pinwick_game pinwick_pictures)
pinwick_test(test_sound_bank test_sound_bank.cpp LIBS pinwick_sound pinwick_sound_headless pinwick_game pinwick_pictures)
pinwick_test(test_sound_device test_sound_device.cpp LIBS pinwick_sound_headless pinwick_pictures)
pinwick_test(test_sound_wav test_sound_wav.cpp LIBS pinwick_wav)

# The wave tests' resources: the click (sound 4) as the tool writes it, and a
# file that is no wave.
set(sound_wave_dir ${CMAKE_CURRENT_BINARY_DIR}/sound_waves)
add_custom_command(
  OUTPUT ${sound_wave_dir}/sound4.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${sound_wave_dir}
  COMMAND pinwick-tool sounds ${sound_wave_dir}
  DEPENDS pinwick-tool
  COMMENT "Writing the sound test waves"
  VERBATIM)
pinwick_resource_table(pinwick_test_waves Click ${sound_wave_dir}/sound4.wav Notes ${PROJECT_SOURCE_DIR}/res/README.md)
pinwick_test(test_sound_wave test_sound_wave.cpp LIBS pinwick_sound pinwick_sound_headless pinwick_game
             pinwick_test_waves)

find_program(PINWICK_SOXI soxi)
add_test(NAME tool_sounds_cli
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:pinwick-tool> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/sounds_cli
                 -DSOXI=${PINWICK_SOXI} -P ${CMAKE_CURRENT_SOURCE_DIR}/e2e/sounds_cli.cmake)
