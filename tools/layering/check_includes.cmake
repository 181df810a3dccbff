# Fails when a source file includes a header from a folder that the allowed-dependency table does
# not permit, so that the folders keep depending one way without anyone remembering it.
#
#   cmake -DSOURCE_DIR=<src> -DTABLE=<allowed table> -P check_includes.cmake
#
# The table holds one line per folder: "folder: allowed folders…" (a folder may always include
# its own headers); "#" starts a comment. A folder that is missing from the table is an error too.
cmake_policy(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT TABLE)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<src> -DTABLE=<file> -P check_includes.cmake")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(STRINGS "${TABLE}" table_lines)
set(known_folders "")
foreach(line IN LISTS table_lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
        continue()
    endif()
    if(NOT line MATCHES "^([a-z_]+):(.*)$")
        message(FATAL_ERROR "${TABLE}: cannot read the line \"${line}\"")
    endif()
    set(folder "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" allowed)
    string(REGEX REPLACE "[ \t]+" ";" allowed "${allowed}")
    set(allowed_${folder} ${folder} ${allowed})
    list(APPEND known_folders ${folder})
endforeach()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(violations 0)
foreach(source IN LISTS sources)
    if(NOT source MATCHES "^([a-z_]+)/")
        continue() # files at the top (main.cpp) may include anything
    endif()
    set(folder "${CMAKE_MATCH_1}")
    if(NOT folder IN_LIST known_folders)
        message(SEND_ERROR "${source}: the folder ${folder} is not in ${TABLE}")
        math(EXPR violations "${violations} + 1")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(include IN LISTS includes)
        if(NOT include MATCHES "\"([a-z_]+)/[^\"]*\"")
            continue() # a header beside the file
        endif()
        set(target "${CMAKE_MATCH_1}")
        if(NOT target IN_LIST allowed_${folder})
            string(STRIP "${include}" include)
            message(SEND_ERROR "${source}: ${include} — ${folder}/ may not depend on ${target}/")
            math(EXPR violations "${violations} + 1")
        endif()
    endforeach()
endforeach()

if(violations GREATER 0)
    message(FATAL_ERROR "${violations} include(s) break the folder layering in ${TABLE}")
endif()
list(LENGTH sources count)
message(STATUS "layering holds for ${count} files")
