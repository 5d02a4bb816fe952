# Installs Quilvern the way Linux hosts and desktops look for it:
#
#     cmake --install build [--prefix /usr/local] [--strip]
#
#   lib/lv2/Quilvern.lv2, lib/vst3/Quilvern.vst3, lib/vst/Quilvern.so   the plug-ins
#   bin/quilvern, bin/quilvern-render                                  the programs
#   share/applications, share/icons/hicolor                            the standalone program's menu entry
#   share/man/man1                                                     quilvern(1), quilvern-render(1)
#   share/doc/quilvern                                                 README and licence
#
# The Debian package (cmake/QuilvernPackage.cmake) installs the same with
# Debian's documentation files in place of the last line (component
# "debian", left out of a plain install).

set(QUILVERN_PACKAGING_DIR ${QUILVERN_ROOT}/packaging/linux)
set(QUILVERN_GENERATED_DOCS_DIR ${CMAKE_BINARY_DIR}/installed-docs)
set(QUILVERN_DOC_DIR share/doc/quilvern)

# The release date and version come from the top entry of the Debian
# changelog, which must name the project's version.
file(STRINGS ${QUILVERN_PACKAGING_DIR}/changelog QUILVERN_CHANGELOG_LINES)
list(GET QUILVERN_CHANGELOG_LINES 0 QUILVERN_CHANGELOG_TITLE)

if(NOT QUILVERN_CHANGELOG_TITLE MATCHES "^quilvern \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/linux/changelog: the top entry is not for version ${PROJECT_VERSION}: ${QUILVERN_CHANGELOG_TITLE}")
endif()

foreach(line IN LISTS QUILVERN_CHANGELOG_LINES)
    if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
        list(FIND months ${CMAKE_MATCH_2} month)
        math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
        string(LENGTH "${month}" month_digits)
        string(LENGTH "${CMAKE_MATCH_1}" day_digits)
        set(QUILVERN_RELEASE_DATE "${CMAKE_MATCH_3}-")
        if(month_digits EQUAL 1)
            string(APPEND QUILVERN_RELEASE_DATE 0)
        endif()
        string(APPEND QUILVERN_RELEASE_DATE "${month}-")
        if(day_digits EQUAL 1)
            string(APPEND QUILVERN_RELEASE_DATE 0)
        endif()
        string(APPEND QUILVERN_RELEASE_DATE "${CMAKE_MATCH_1}")
        break()
    endif()
endforeach()

if(NOT QUILVERN_RELEASE_DATE)
    message(FATAL_ERROR "packaging/linux/changelog: no date in the top entry's trailer line")
endif()

# --- The plug-ins ------------------------------------------------------------

# Hosts list the VST 2.4 library by its file name: Quilvern, not libQuilvern.
# VST 2.4 has no standard folder on Linux; lib/vst is the one most hosts
# search (Ardour among them, besides lib/lxvst).
install(FILES $<TARGET_FILE:Quilvern_VST> DESTINATION lib/vst RENAME Quilvern.so)

# The VST3 and LV2 bundles as they were built, without a settings file that
# a test or the LV2 manifest generator may have left inside.
foreach(format VST3 LV2)
    string(TOLOWER ${format} folder)
    install(DIRECTORY $<GENEX_EVAL:$<TARGET_PROPERTY:Quilvern_${format},JUCE_PLUGIN_ARTEFACT_FILE>>
        DESTINATION lib/${folder}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
        PATTERN Quilvern.ini EXCLUDE)
endforeach()

# --- The programs --------------------------------------------------------------

install(PROGRAMS $<TARGET_FILE:Quilvern_Standalone> DESTINATION bin RENAME quilvern)
install(PROGRAMS $<TARGET_FILE:quilvern-render> DESTINATION bin)

# --- The standalone program on the desktop ---------------------------------------

install(FILES ${QUILVERN_PACKAGING_DIR}/quilvern.desktop DESTINATION share/applications)

foreach(size 48 128)
    install(FILES ${QUILVERN_ROOT}/resources/icons/quilvern-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quilvern.png)
endforeach()

install(FILES ${QUILVERN_ROOT}/resources/icons/quilvern.svg DESTINATION share/icons/hicolor/scalable/apps)

# --- Manual pages and documentation --------------------------------------------------

# quilvern-render(1) is made from the program's --help and the README's
# table of its options, which must agree (cmake/RenderManPage.cmake).
set(QUILVERN_RENDER_PAGE ${QUILVERN_GENERATED_DOCS_DIR}/quilvern-render.1)
add_custom_command(
    OUTPUT ${QUILVERN_RENDER_PAGE}.gz
    COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:quilvern-render> -DREADME=${QUILVERN_ROOT}/README.md
            -DTEMPLATE=${QUILVERN_PACKAGING_DIR}/quilvern-render.1.in -DVERSION=${PROJECT_VERSION}
            -DDATE=${QUILVERN_RELEASE_DATE} -DOUTPUT=${QUILVERN_RENDER_PAGE}
            -P ${QUILVERN_ROOT}/cmake/RenderManPage.cmake
    DEPENDS quilvern-render ${QUILVERN_ROOT}/README.md ${QUILVERN_PACKAGING_DIR}/quilvern-render.1.in
            ${QUILVERN_ROOT}/cmake/RenderManPage.cmake ${QUILVERN_ROOT}/cmake/CompressDoc.cmake
    COMMENT "Writing quilvern-render's manual page"
    VERBATIM)

set(QUILVERN_VERSION ${PROJECT_VERSION})
set(QUILVERN_DATE ${QUILVERN_RELEASE_DATE})
configure_file(${QUILVERN_PACKAGING_DIR}/quilvern.1.in ${QUILVERN_GENERATED_DOCS_DIR}/quilvern.1 @ONLY)

# Debian's documentation files: compressed, as its policy asks of manual
# pages and of documents over 4 KB.
set(QUILVERN_COMPRESSED_DOCS
    ${QUILVERN_GENERATED_DOCS_DIR}/quilvern.1:${QUILVERN_GENERATED_DOCS_DIR}/quilvern.1.gz
    ${QUILVERN_PACKAGING_DIR}/changelog:${QUILVERN_GENERATED_DOCS_DIR}/changelog.gz
    ${QUILVERN_ROOT}/README.md:${QUILVERN_GENERATED_DOCS_DIR}/README.md.gz)
set(QUILVERN_INSTALLED_DOCS ${QUILVERN_RENDER_PAGE}.gz)

foreach(pair IN LISTS QUILVERN_COMPRESSED_DOCS)
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 input)
    list(GET pair 1 output)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -P ${QUILVERN_ROOT}/cmake/CompressDoc.cmake
        DEPENDS ${input} ${QUILVERN_ROOT}/cmake/CompressDoc.cmake
        VERBATIM)
    list(APPEND QUILVERN_INSTALLED_DOCS ${output})
endforeach()

add_custom_target(quilvern-installed-docs ALL DEPENDS ${QUILVERN_INSTALLED_DOCS})

install(FILES ${QUILVERN_GENERATED_DOCS_DIR}/quilvern.1.gz ${QUILVERN_RENDER_PAGE}.gz DESTINATION share/man/man1)
install(FILES ${QUILVERN_ROOT}/README.md ${QUILVERN_ROOT}/LICENSE DESTINATION ${QUILVERN_DOC_DIR} COMPONENT doc)
install(FILES ${QUILVERN_PACKAGING_DIR}/copyright ${QUILVERN_GENERATED_DOCS_DIR}/changelog.gz
              ${QUILVERN_GENERATED_DOCS_DIR}/README.md.gz
        DESTINATION ${QUILVERN_DOC_DIR} COMPONENT debian EXCLUDE_FROM_ALL)

# --- Stripping -----------------------------------------------------------------------

# With --strip (and in the Debian package) the binaries lose their symbols
# and debugging sections as Debian strips them: the libraries keep the
# symbols they export, the programs keep none.
set(QUILVERN_INSTALLED_LIBRARIES
    lib/vst/Quilvern.so
    lib/vst3/Quilvern.vst3/Contents/x86_64-linux/$<TARGET_FILE_NAME:Quilvern_VST3>
    lib/lv2/Quilvern.lv2/$<TARGET_FILE_NAME:Quilvern_LV2>)
set(QUILVERN_INSTALLED_PROGRAMS bin/quilvern bin/quilvern-render)

install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(file ${QUILVERN_INSTALLED_LIBRARIES} ${QUILVERN_INSTALLED_PROGRAMS})
            set(options --remove-section=.comment --remove-section=.note)
            if(file MATCHES \"[.]so$\")
                list(APPEND options --strip-unneeded)
            endif()
            execute_process(COMMAND \"${CMAKE_STRIP}\" \${options} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\"
                RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR \"Could not strip \${file}\")
            endif()
        endforeach()
    endif()")

# --- Checks --------------------------------------------------------------------------

# The install step into a temporary prefix and into a temporary home, each
# checked where hosts, the shell, man and the desktop look (the Debian
# package, which needs root, is checked by tools/test-package.sh).
add_test(NAME InstallTree COMMAND bash ${QUILVERN_ROOT}/tools/check-install.sh cmake-install ${CMAKE_BINARY_DIR})
add_test(NAME InstallForUser COMMAND bash ${QUILVERN_ROOT}/tools/check-install.sh user-install ${CMAKE_BINARY_DIR})
