# The game's pictures as embedded, the icon and cursor files, the picture
# generator (run on good and bad grids), the PNG writer and the sheet command.
# The sheet plays the player's run in both languages: slow under the
# sanitizers on a busy machine.
pinwick_test(test_pictures test_pictures.cpp LIBS pinwick_pictures pinwick_bmp_decode pinwick_png TIMEOUT 180)
add_dependencies(test_pictures make_pictures pinwick-tool pinwick_picture_files)
target_compile_definitions(test_pictures PRIVATE
  PINWICK_MAKE_PICTURES="$<TARGET_FILE:make_pictures>"
  PINWICK_TOOL="$<TARGET_FILE:pinwick-tool>"
  PINWICK_ART_DIR="${PROJECT_SOURCE_DIR}/res/art"
  PINWICK_PICTURE_DIR="${PINWICK_PICTURE_DIR}")
