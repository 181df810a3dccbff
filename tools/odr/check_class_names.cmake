# Fails when a test, benchmark or fuzzer defines a class under the name of one of the program's
# classes. Both end up in one executable, and two classes of one name share one vtable and one
# typeinfo for the linker, which keeps one of them for both: a test fixture named like a part of
# the main window crashed the sanitizer build that way. Only definitions at the start of a line
# count (namespace scope in this tree's style), not forward declarations ("class Name;").
#
#   cmake -DPROGRAM_DIR=<src> "-DOTHER_DIRS=<dir>;<dir>" -P check_class_names.cmake
cmake_policy(VERSION 3.25)
if(NOT PROGRAM_DIR OR NOT OTHER_DIRS)
    message(FATAL_ERROR "usage: cmake -DPROGRAM_DIR=<dir> -DOTHER_DIRS=<dir;...> -P check_class_names.cmake")
endif()

set(definition "^(class|struct)[ \t]+([A-Za-z_][A-Za-z0-9_]*)([ \t]*[:{]|[ \t]+final|[ \t]*$)")

# Sets <out> to "name file" pairs of the classes defined in the files below dir.
function(defined_classes dir out)
    file(GLOB_RECURSE files "${dir}/*.h" "${dir}/*.cpp")
    set(found "")
    foreach(source IN LISTS files)
        file(STRINGS "${source}" lines REGEX "${definition}")
        foreach(line IN LISTS lines)
            string(REGEX MATCH "${definition}" matched "${line}")
            list(APPEND found "${CMAKE_MATCH_2} ${source}")
        endforeach()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

defined_classes("${PROGRAM_DIR}" program_classes)
set(program_names "")
foreach(entry IN LISTS program_classes)
    string(REGEX MATCH "^([^ ]+) (.*)$" matched "${entry}")
    list(APPEND program_names "${CMAKE_MATCH_1}")
    set(where_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
list(REMOVE_DUPLICATES program_names)

set(clashes 0)
foreach(dir IN LISTS OTHER_DIRS)
    defined_classes("${dir}" other_classes)
    foreach(entry IN LISTS other_classes)
        string(REGEX MATCH "^([^ ]+) (.*)$" matched "${entry}")
        set(name "${CMAKE_MATCH_1}")
        set(other_file "${CMAKE_MATCH_2}")
        if(name IN_LIST program_names)
            message(SEND_ERROR "${other_file}: class ${name} has the name of the program's class in ${where_${name}}")
            math(EXPR clashes "${clashes} + 1")
        endif()
    endforeach()
endforeach()

if(clashes GREATER 0)
    message(FATAL_ERROR "${clashes} class name(s) used twice in one executable")
endif()
list(LENGTH program_names count)
message(STATUS "no other code defines any of the program's ${count} class names")
