# pinwick_resource_table(<target> NAME1 FILE1 [NAME2 FILE2 ...])
#
# Makes <target>, a static library holding the files' bytes under their names
# and findResource (gfx/resources.h) to look them up without regard to case.
# The bytes are embedded at build time, so a FILE may itself be the OUTPUT of
# another add_custom_command in the same directory: the table is regenerated
# whenever a file changes. Relative FILE paths are taken from the current
# source directory. Each executable links exactly one table, after the
# libraries that call findResource (pinwick_gfx_soft).
#
# Names: letters, digits, '_', '.', '-'; no two may differ only in case.

set(PINWICK_RESOURCE_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/PinwickResourceEmbed.cmake)

function(pinwick_resource_table target)
  set(pairs ${ARGN})
  list(LENGTH pairs count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "pinwick_resource_table(${target}): expected NAME FILE pairs, got '${pairs}'")
  endif()

  set(names "")
  set(files "")
  set(seen "")
  math(EXPR last "${count} - 2")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET pairs ${i} name)
    list(GET pairs ${j} file)
    if(NOT name MATCHES "^[A-Za-z0-9_.-]+$")
      message(FATAL_ERROR "pinwick_resource_table(${target}): bad resource name '${name}'")
    endif()
    string(TOUPPER "${name}" folded)
    if(folded IN_LIST seen)
      message(FATAL_ERROR "pinwick_resource_table(${target}): resource '${name}' given twice")
    endif()
    list(APPEND seen "${folded}")
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND names "${name}")
    list(APPEND files "${file}")
  endforeach()

  # The pairs go to the build step through a small manifest, rewritten only
  # when they change, so that editing the list regenerates the table.
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cmake)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  file(CONFIGURE OUTPUT ${manifest}
       CONTENT "set(RESOURCE_TARGET \"${target}\")\nset(RESOURCE_NAMES \"${names}\")\nset(RESOURCE_FILES \"${files}\")\n"
       @ONLY)

  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -DOUTPUT=${output} -P ${PINWICK_RESOURCE_EMBED_SCRIPT}
    DEPENDS ${files} ${manifest} ${PINWICK_RESOURCE_EMBED_SCRIPT}
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)

  add_library(${target} STATIC ${output} ${PROJECT_SOURCE_DIR}/gfx/resources.cpp)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
