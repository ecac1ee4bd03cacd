# Input edges, actors, buttons, the turn controller, the board view, face and
# wipe, the window procedure and the frame pacing, the recording: all on the
# headless shell with the game's own pictures.
pinwick_test(test_input test_input.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_actors test_actors.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_buttons test_buttons.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_match test_match.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_scene_view test_scene_view.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_window_frame test_window_frame.cpp LIBS pinwick_headless_game pinwick_pictures)
pinwick_test(test_replay_script test_replay_script.cpp LIBS pinwick_headless_game pinwick_pictures)
target_compile_definitions(test_replay_script PRIVATE PINWICK_REPLAY_DIR="${PROJECT_SOURCE_DIR}/tests/e2e/replays")
# The recording of --record, read back by the replay's own parser.
pinwick_test(test_recorder test_recorder.cpp $<TARGET_OBJECTS:pinwick_recorder>
             LIBS pinwick_headless_game pinwick_pictures)
