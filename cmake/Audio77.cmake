# Shared build helpers for every layer.

function(audio77_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(AUDIO77_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# audio77_layer(<target> <folder> [OBJECTS objlibs...] [LINK libs...])
# A static library built from every .cpp directly in <folder>. New files in a
# layer are picked up without touching this list. OBJECTS names object
# libraries that hold some of the folder's files (compiled once for this
# layer and for another binary): their objects are taken instead.
function(audio77_layer target folder)
  cmake_parse_arguments(ARG "" "" "LINK;OBJECTS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  foreach(objects ${ARG_OBJECTS})
    get_target_property(shared_sources ${objects} SOURCES)
    foreach(source ${shared_sources})
      get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      list(REMOVE_ITEM sources ${source})
    endforeach()
    list(APPEND sources $<TARGET_OBJECTS:${objects}>)
  endforeach()
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_LINK})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_LINK})
  audio77_warnings(${target})
endfunction()

# audio77_copy_to_dist(<target>): place a built file into the program folder.
function(audio77_copy_to_dist target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${AUDIO77_DIST_DIR}/
    VERBATIM)
endfunction()

# audio77_shared_objects(<target> sources...): an object library of sources
# that a layer and a shared library both link, compiled once: position
# independent, and hidden from a shared library's exports.
function(audio77_shared_objects target)
  add_library(${target} OBJECT ${ARGN})
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  # Unique symbols would pin a shared library in memory.
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
  audio77_warnings(${target})
endfunction()
