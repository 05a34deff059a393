# The line editor's table of display widths, made at build time from the
# Unicode data of Debian's unicode-data package (tools/setup installs it), so
# that both builds measure characters alike without a library.
set(QUILLON_UNICODE_DATA /usr/share/unicode CACHE PATH
  "The Unicode Character Database (Debian: unicode-data)")
set(QUILLON_WIDTH_DATA
  ${QUILLON_UNICODE_DATA}/extracted/DerivedGeneralCategory.txt
  ${QUILLON_UNICODE_DATA}/HangulSyllableType.txt
  ${QUILLON_UNICODE_DATA}/extracted/DerivedEastAsianWidth.txt)
foreach(file ${QUILLON_WIDTH_DATA})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: install Debian's unicode-data (tools/setup build)")
  endif()
endforeach()
find_program(QUILLON_AWK NAMES awk mawk gawk REQUIRED)
set(QUILLON_WIDTH_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/display_width.awk)

# Adds the table to `target`, which compiles src/base/display_width.cc.
function(quillon_add_display_width_table target)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(table ${folder}/display_width_table.inc)
  add_custom_command(OUTPUT ${table}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${QUILLON_AWK} -v output=${table}.tmp -f ${QUILLON_WIDTH_SCRIPT} ${QUILLON_WIDTH_DATA}
    COMMAND ${CMAKE_COMMAND} -E rename ${table}.tmp ${table}
    DEPENDS ${QUILLON_WIDTH_SCRIPT} ${QUILLON_WIDTH_DATA}
    COMMENT "Display widths from the Unicode data"
    VERBATIM)
  target_sources(${target} PRIVATE ${table})
  target_include_directories(${target} PRIVATE ${folder})
endfunction()
