# Fails when an include crosses the layers the wrong way, naming each such
# line as file:line. ROOT is the source tree.
#
#   - The model (engine/, framework/, presets/) includes nothing of gui/.
#   - gui/ holds rooms only, and no room but gui/editor/ includes from
#     gui/editor/: the editors sit on top of the rooms, never beneath them.
#
# Only quoted includes count; each is resolved the way the compiler finds
# it: beside the including file first, then from the source tree's root.
if(NOT IS_DIRECTORY "${ROOT}")
    message(FATAL_ERROR "ROOT must name the source tree")
endif()

set(model_folders engine framework presets)
set(editor_room gui/editor)
set(violations "")

# The include's path from ROOT.
function(resolve_include file included result)
    get_filename_component(folder "${file}" DIRECTORY)

    if(EXISTS "${folder}/${included}" OR included MATCHES "^\\.\\.?/")
        get_filename_component(absolute "${folder}/${included}" ABSOLUTE)
    else()
        get_filename_component(absolute "${ROOT}/${included}" ABSOLUTE)
    endif()

    file(RELATIVE_PATH relative "${ROOT}" "${absolute}")
    set(${result} "${relative}" PARENT_SCOPE)
endfunction()

# Adds "file:line: text (why)" for every include of file that lands below
# forbidden/ (a folder relative to ROOT).
function(check_file file forbidden why)
    file(READ "${file}" content)
    string(REGEX MATCHALL "(^|\n)[ \t]*#[ \t]*include[ \t]*\"[^\"\n]*\"" includes "${content}")
    file(RELATIVE_PATH shown "${ROOT}" "${file}")

    foreach(match IN LISTS includes)
        string(REGEX REPLACE "^\n" "" line_text "${match}")
        string(REGEX REPLACE ".*\"([^\"]*)\"" "\\1" included "${line_text}")
        resolve_include("${file}" "${included}" target)

        if(target MATCHES "^${forbidden}/")
            # The line number: the line breaks before the first such line, plus one.
            string(FIND "${content}" "${line_text}" position)
            string(SUBSTRING "${content}" 0 ${position} before)
            string(REGEX MATCHALL "\n" breaks "${before}")
            list(LENGTH breaks line)
            math(EXPR line "${line} + 1")
            string(STRIP "${line_text}" line_text)
            list(APPEND violations "${shown}:${line}: ${line_text} (${why})")
        endif()
    endforeach()

    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(folder IN LISTS model_folders)
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")

    foreach(file IN LISTS sources)
        check_file("${file}" gui "the model includes gui/")
    endforeach()
endforeach()

file(GLOB loose LIST_DIRECTORIES false "${ROOT}/gui/*")

foreach(file IN LISTS loose)
    file(RELATIVE_PATH shown "${ROOT}" "${file}")
    list(APPEND violations "${shown}: outside gui/'s rooms")
endforeach()

file(GLOB_RECURSE gui_sources "${ROOT}/gui/*.h" "${ROOT}/gui/*.cpp")

foreach(file IN LISTS gui_sources)
    file(RELATIVE_PATH relative "${ROOT}" "${file}")

    if(NOT relative MATCHES "^${editor_room}/")
        check_file("${file}" "${editor_room}" "only gui/editor/ includes gui/editor/")
    endif()
endforeach()

if(violations)
    # One line each, unwrapped, so that editors and terminals can jump to it.
    foreach(violation IN LISTS violations)
        message("${violation}")
    endforeach()

    list(LENGTH violations count)
    message(FATAL_ERROR "${count} place(s) against the layers, listed above")
endif()
