# One static library per source folder. A folder's sources are found by glob,
# so adding a file needs no edit here; a folder without sources builds nothing.
#
#   zavo_library(NAME DIR [DEPS lib...])
#
# creates the target zavo_NAME from DIR/*.cpp (an INTERFACE library when DIR has
# headers only) and records it in ZAVO_LIBRARIES, lowest layer first.
function(zavo_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(target zavo_${name})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  file(GLOB hdrs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.h)
  if(NOT srcs AND NOT hdrs)
    return()
  endif()
  set(deps)
  foreach(d IN LISTS ARG_DEPS)
    if(TARGET zavo_${d})
      list(APPEND deps zavo_${d})
    endif()
  endforeach()
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${deps})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${deps})
  endif()
  set_property(GLOBAL APPEND PROPERTY ZAVO_LIBRARIES ${target})
  set_property(GLOBAL PROPERTY ZAVO_DIR_${target} ${dir})
endfunction()
