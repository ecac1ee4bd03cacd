# Build step of pinwick_resource_table: writes OUTPUT, a C++ file holding the
# bytes of every file listed in MANIFEST and the table findResource searches.
# Run as: cmake -DMANIFEST=... -DOUTPUT=... -P PinwickResourceEmbed.cmake

include(${MANIFEST})

# 16 bytes to a line.
string(REPEAT "[0-9a-f]" 32 line_of_hex)

set(body "")
set(entries "")
set(index 0)
foreach(name file IN ZIP_LISTS RESOURCE_NAMES RESOURCE_FILES)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "resource '${name}': no file ${file}")
  endif()
  file(SIZE "${file}" size)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "(${line_of_hex})" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REPLACE "\n" "\n    " hex "${hex}")
  if(size EQUAL 0)
    # C++ has no empty arrays; the size below still says 0.
    set(hex "0x00,")
  endif()
  get_filename_component(file_name "${file}" NAME)
  string(APPEND body "// ${name}: ${file_name}\nconst uint8_t kResource${index}[] = {\n    ${hex}\n};\n\n")
  string(APPEND entries "    {\"${name}\", kResource${index}, ${size}u},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Generated at build time for ${RESOURCE_TARGET} by cmake/PinwickResourceEmbed.cmake; do not edit.
#include \"gfx/resource_table.h\"

namespace {
${body}}  // namespace

const ResourceEntry kResourceEntries[] = {
${entries}};

const size_t kResourceEntryCount = ${index};
")

file(WRITE "${OUTPUT}" "${text}")
