# Shared build helpers for every layer.

function(audio77_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(AUDIO77_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# audio77_layer(<target> <folder> [QT] [LINK libs...])
# A static library built from every .cpp directly in <folder>. New files in a
# layer are picked up without touching this list.
function(audio77_layer target folder)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
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
