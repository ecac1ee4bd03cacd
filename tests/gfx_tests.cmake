# The graphics tests. Their pictures are written at build time by a small
# generator and embedded with pinwick_resource_table, the same way the game's
# own pictures are.
add_executable(pinwick-test-bitmaps test_gfx_make_bitmaps.cpp)

set(gfx_picture_dir ${CMAKE_CURRENT_BINARY_DIR}/gfx_pictures)
set(gfx_pictures
  ${gfx_picture_dir}/glyph.bmp
  ${gfx_picture_dir}/background.bmp
  ${gfx_picture_dir}/checker.bmp
  ${gfx_picture_dir}/mono.bmp
  ${gfx_picture_dir}/truncated.bmp
)
add_custom_command(
  OUTPUT ${gfx_pictures}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${gfx_picture_dir}
  COMMAND pinwick-test-bitmaps ${gfx_picture_dir}
  DEPENDS pinwick-test-bitmaps
  COMMENT "Writing the gfx test pictures"
  VERBATIM)

pinwick_resource_table(pinwick_test_pictures
  Glyph ${gfx_picture_dir}/glyph.bmp
  BACK_S ${gfx_picture_dir}/background.bmp
  checker ${gfx_picture_dir}/checker.bmp
  Mono ${gfx_picture_dir}/mono.bmp
  Truncated ${gfx_picture_dir}/truncated.bmp
)

pinwick_test(test_gfx_bmp test_gfx_bmp.cpp LIBS pinwick_bmp_decode pinwick_test_pictures)
pinwick_test(test_gfx_clip test_gfx_clip.cpp LIBS pinwick_gfx_soft pinwick_test_pictures)
pinwick_test(test_gfx_soft test_gfx_soft.cpp LIBS pinwick_gfx_soft pinwick_test_pictures)
