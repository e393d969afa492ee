# The program's version data: the four strings that the about box shows,
# generated into a source of the window shell.
#
#   zavo_version_data(TARGET)
#
# product name "zavo", the project's version, the copyright line of the
# project's licence (empty without a licence file or such a line) and a build
# note naming the build type and the commit, such as "Release 1a2b3c4" (both
# taken when CMake configures).
function(zavo_version_data target)
  set(ZAVO_PRODUCT_NAME "zavo")
  set(ZAVO_PRODUCT_VERSION "${PROJECT_VERSION}")

  set(ZAVO_COPYRIGHT "")
  file(GLOB licences ${CMAKE_SOURCE_DIR}/LICENSE* ${CMAKE_SOURCE_DIR}/LICENCE* ${CMAKE_SOURCE_DIR}/COPYING*)
  foreach(licence IN LISTS licences)
    file(STRINGS ${licence} lines REGEX "^[ \t]*[Cc][Oo][Pp][Yy][Rr][Ii][Gg][Hh][Tt] ")
    if(lines)
      list(GET lines 0 line)
      string(STRIP "${line}" ZAVO_COPYRIGHT)
      break()
    endif()
  endforeach()

  # Short: the about box gives it a small field.
  set(ZAVO_BUILD_NOTE "${CMAKE_BUILD_TYPE}")
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short HEAD
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND commit)
      set(ZAVO_BUILD_NOTE "${ZAVO_BUILD_NOTE} ${commit}")
    endif()
  endif()

  # The strings go into C++ string literals.
  foreach(var ZAVO_PRODUCT_NAME ZAVO_PRODUCT_VERSION ZAVO_COPYRIGHT ZAVO_BUILD_NOTE)
    string(REPLACE "\\" "\\\\" value "${${var}}")
    string(REPLACE "\"" "\\\"" value "${value}")
    set(${var} "${value}")
  endforeach()
  set(out ${CMAKE_BINARY_DIR}/generated/version_data.cpp)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version_data.cpp.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
