# Writes quilvern-render's manual page from what the program says itself
# (--help: synopsis, description and options) and from the README's table
# of its options (what each one means), and stops with an error when the
# two list different options or --version a different version, so that the
# page, --help and the README always agree.
#
#   cmake -DRENDER=<quilvern-render> -DREADME=<README.md> -DTEMPLATE=<quilvern-render.1.in>
#         -DVERSION=<version> -DDATE=<yyyy-mm-dd> -DOUTPUT=<quilvern-render.1> -P RenderManPage.cmake
#
# Writes OUTPUT and OUTPUT.gz. Text passes through CMake lists here, which
# split at semicolons outside square brackets: semicolons and brackets
# travel encoded (as do table bars escaped in Markdown) until they are used.

cmake_minimum_required(VERSION 3.22)

# --help puts each option's description at this column.
set(help_text_column 25)

function(encode text result_variable)
    string(REPLACE ";" "@SEMICOLON@" text "${text}")
    string(REPLACE "[" "@LEFT@" text "${text}")
    string(REPLACE "]" "@RIGHT@" text "${text}")
    string(REPLACE "\\|" "@BAR@" text "${text}")
    set(${result_variable} "${text}" PARENT_SCOPE)
endfunction()

function(decode text result_variable)
    string(REPLACE "@SEMICOLON@" ";" text "${text}")
    string(REPLACE "@LEFT@" "[" text "${text}")
    string(REPLACE "@RIGHT@" "]" text "${text}")
    string(REPLACE "@BAR@" "|" text "${text}")
    set(${result_variable} "${text}" PARENT_SCOPE)
endfunction()

function(fail message)
    message(FATAL_ERROR "quilvern-render's manual page: ${message}")
endfunction()

function(run_render argument result_variable)
    execute_process(COMMAND "${RENDER}" ${argument}
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)

    if(NOT status EQUAL 0)
        fail("quilvern-render ${argument} failed (${status}): ${errors}")
    endif()

    set(${result_variable} "${output}" PARENT_SCOPE)
endfunction()

function(split_lines text result_variable)
    string(REPLACE "\n" ";" lines "${text}")
    set(${result_variable} "${lines}" PARENT_SCOPE)
endfunction()

# Roff for text that came from Markdown: `code` in bold, minus signs kept
# apart from hyphens inside it, and no line starting with a control character.
function(roff_text text result_variable)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX MATCHALL "`[^`]*`" spans "${text}")

    foreach(span IN LISTS spans)
        string(REGEX REPLACE "^`(.*)`$" "\\1" code "${span}")
        string(REPLACE "-" "\\-" code "${code}")
        string(REPLACE "${span}" "\\fB${code}\\fR" text "${text}")
    endforeach()

    if(text MATCHES "^[.']")
        string(PREPEND text "\\&")
    endif()


    set(${result_variable} "${text}" PARENT_SCOPE)
endfunction()

# One option as the page's tag shows it: the name in bold, a placeholder in
# italics, literal values (such as wav|aiff|flac) in bold.
function(roff_option item result_variable)
    string(REGEX MATCH "^([^ ]+) ?(.*)$" whole "${item}")
    set(name "${CMAKE_MATCH_1}")
    decode("${CMAKE_MATCH_2}" value)
    string(REPLACE "-" "\\-" name "${name}")

    if(value STREQUAL "")
        set(tag "\\fB${name}\\fR")
    elseif(value MATCHES "[A-Z]")
        set(tag "\\fB${name}\\fR \\fI${value}\\fR")
    else()
        set(tag "\\fB${name}\\fR \\fB${value}\\fR")
    endif()

    set(${result_variable} "${tag}" PARENT_SCOPE)
endfunction()

# --help: "Usage: <synopsis>", a blank line, the description, a blank line,
# "Options:" and one entry per option, continued on lines indented to the
# description column.
function(read_help help)
    split_lines("${help}" lines)
    set(synopsis "")
    set(section usage)
    set(description "")
    set(items "")

    foreach(line IN LISTS lines)
        if(line MATCHES "^Usage: (.*)$")
            set(synopsis "${CMAKE_MATCH_1}")
            set(section before_description)
        elseif(line STREQUAL "Options:")
            set(section options)
        elseif(section STREQUAL "before_description" AND NOT line STREQUAL "")
            set(section description)
            string(APPEND description "${line}")
        elseif(section STREQUAL "description" AND NOT line STREQUAL "")
            string(APPEND description " ${line}")
        elseif(section STREQUAL "options" AND line MATCHES "^  -")
            string(SUBSTRING "${line}" 0 ${help_text_column} spec)
            string(STRIP "${spec}" spec)
            string(REPLACE ", " ";" spec_items "${spec}")
            list(APPEND items ${spec_items})
        endif()
    endforeach()

    if(NOT synopsis OR NOT description OR NOT items)
        fail("--help no longer reads as usage, description and options")
    endif()

    set(help_synopsis "${synopsis}" PARENT_SCOPE)
    set(help_description "${description}" PARENT_SCOPE)
    set(help_items "${items}" PARENT_SCOPE)
endfunction()

# The README's table under "| Option | Meaning |": each row's options in
# backticks and their meaning, then the paragraph that follows the table.
function(read_readme_table readme)
    split_lines("${readme}" lines)
    set(section before)
    set(items "")
    set(entries "")
    set(after "")

    foreach(line IN LISTS lines)
        if(section STREQUAL "before" AND line MATCHES "^\\| *Option *\\| *Meaning *\\|")
            set(section table)
        elseif(section STREQUAL "table" AND line MATCHES "^\\|---")
        elseif(section STREQUAL "table" AND line MATCHES "^\\| *(.*[^ ]) *\\| *(.*[^ ]) *\\|$")
            set(meaning "${CMAKE_MATCH_2}")
            string(REGEX MATCHALL "`[^`]*`" row_items "${CMAKE_MATCH_1}")
            list(TRANSFORM row_items REPLACE "^`(.*)`$" "\\1")
            list(APPEND items ${row_items})
            set(tags "")

            foreach(item IN LISTS row_items)
                roff_option("${item}" tag)
                list(APPEND tags "${tag}")
            endforeach()

            list(JOIN tags ", " tag_line)
            roff_text("${meaning}" meaning)
            string(APPEND entries ".TP\n${tag_line}\n${meaning}\n")
        elseif(section STREQUAL "table")
            set(section after_table)
        elseif(section STREQUAL "after_table" AND NOT line STREQUAL "")
            set(section paragraph)
            set(after "${line}")
        elseif(section STREQUAL "paragraph" AND NOT line STREQUAL "")
            string(APPEND after " ${line}")
        elseif(section STREQUAL "paragraph")
            break()
        endif()
    endforeach()

    if(NOT items)
        fail("no \"| Option | Meaning |\" table in ${README}")
    endif()

    set(readme_items "${items}" PARENT_SCOPE)
    set(readme_entries "${entries}" PARENT_SCOPE)
    set(readme_after "${after}" PARENT_SCOPE)
endfunction()

function(compare_options)
    set(readme_options "${readme_items}")
    list(FILTER readme_options INCLUDE REGEX "^-")
    set(readme_arguments "${readme_items}")
    list(FILTER readme_arguments EXCLUDE REGEX "^-")

    set(only_help "${help_items}")
    list(REMOVE_ITEM only_help ${readme_options})
    set(only_readme "${readme_options}")
    list(REMOVE_ITEM only_readme ${help_items})

    foreach(argument IN LISTS readme_arguments)
        if(NOT help_synopsis MATCHES "(^| |\\[)${argument}(\\]| |$)")
            list(APPEND only_readme "${argument}")
        endif()
    endforeach()

    if(only_help OR only_readme)
        list(JOIN only_help ", " only_help)
        list(JOIN only_readme ", " only_readme)
        fail("--help and the README's options table disagree. Only in --help: ${only_help}. Only in the README: ${only_readme}.")
    endif()
endfunction()

function(roff_synopsis synopsis result_variable)
    string(REGEX MATCH "^([^ ]+) ?(.*)$" whole "${synopsis}")
    set(program "${CMAKE_MATCH_1}")
    set(arguments "${CMAKE_MATCH_2}")
    string(REPLACE "-" "\\-" program "${program}")
    string(REGEX REPLACE "\\[([^]]+)\\]" "[\\\\fI\\1\\\\fR]" arguments "${arguments}")
    set(${result_variable} ".B ${program}\n${arguments}" PARENT_SCOPE)
endfunction()

run_render(--help help)
run_render(--version version_output)

if(NOT version_output MATCHES "^quilvern-render ${VERSION}\n")
    string(STRIP "${version_output}" version_output)
    fail("quilvern-render --version says \"${version_output}\", the project's version is ${VERSION}")
endif()

encode("${help}" help)
read_help("${help}")
file(READ "${README}" readme)
encode("${readme}" readme)
read_readme_table("${readme}")

foreach(part help_synopsis help_items readme_items)
    decode("${${part}}" ${part})
endforeach()

compare_options()

roff_synopsis("${help_synopsis}" QUILVERN_SYNOPSIS)
roff_text("${help_description}" QUILVERN_DESCRIPTION)

if(readme_after)
    roff_text("${readme_after}" after)
    string(APPEND QUILVERN_DESCRIPTION "\n.PP\n${after}")
endif()

string(REGEX REPLACE "\n$" "" QUILVERN_OPTIONS "${readme_entries}")
decode("${QUILVERN_DESCRIPTION}" QUILVERN_DESCRIPTION)
decode("${QUILVERN_OPTIONS}" QUILVERN_OPTIONS)
set(QUILVERN_VERSION "${VERSION}")
set(QUILVERN_DATE "${DATE}")

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

set(INPUT "${OUTPUT}")
set(OUTPUT "${OUTPUT}.gz")
include("${CMAKE_CURRENT_LIST_DIR}/CompressDoc.cmake")
