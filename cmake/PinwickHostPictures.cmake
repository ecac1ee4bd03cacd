# A cross build cannot run the make_pictures it builds for the target, so it
# compiles the same generator with the build machine's compiler and
# runs that. Sets make_pictures_program for res/CMakeLists.txt.
find_program(PINWICK_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(make_pictures_program ${CMAKE_CURRENT_BINARY_DIR}/host/make_pictures)
add_custom_command(
  OUTPUT ${make_pictures_program}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/host
  COMMAND ${PINWICK_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -I${PROJECT_SOURCE_DIR}
          ${PROJECT_SOURCE_DIR}/tools/make_pictures.cpp ${PROJECT_SOURCE_DIR}/tools/picture_grid.cpp ${PROJECT_SOURCE_DIR}/tools/png_writer.cpp
          -lz -o ${make_pictures_program}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_pictures.cpp ${PROJECT_SOURCE_DIR}/tools/picture_grid.cpp ${PROJECT_SOURCE_DIR}/tools/png_writer.cpp
          ${PROJECT_SOURCE_DIR}/tools/png_writer.h ${PROJECT_SOURCE_DIR}/tools/picture_grid.h
  COMMENT "Building the picture generator for the build machine"
  VERBATIM)
