# The Windows installer, Quilvern-<version>-win64-setup.exe in the build
# tree, made with Debian's NSIS from tools/windows-installer/Quilvern.nsi
# whenever either library or the script changes. Included by
# QuilvernWindows.cmake after both plug-in targets exist.

find_program(QUILVERN_MAKENSIS makensis REQUIRED)

get_target_property(QUILVERN_VERSION Quilvern JUCE_VERSION)
set(QUILVERN_INSTALLER_SCRIPT ${QUILVERN_ROOT}/tools/windows-installer/Quilvern.nsi)
set(QUILVERN_INSTALLER ${CMAKE_BINARY_DIR}/Quilvern-${QUILVERN_VERSION}-win64-setup.exe)

# Makes an installer from the script with the given version and files (the
# tests build one of an older version too).
function(quilvern_add_installer target output version vst2_file vst3_module)
    add_custom_command(OUTPUT ${output}
        COMMAND ${QUILVERN_MAKENSIS} -V2 -NOCD
                -DVERSION=${version}
                -DVST2_FILE=${vst2_file}
                -DVST3_MODULE=${vst3_module}
                -DLICENSE_FILE=${QUILVERN_ROOT}/LICENSE
                -DOUTFILE=${output}
                ${QUILVERN_INSTALLER_SCRIPT}
        DEPENDS ${QUILVERN_INSTALLER_SCRIPT} ${QUILVERN_ROOT}/LICENSE ${vst2_file} ${vst3_module}
        COMMENT "Making ${output}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

quilvern_add_installer(Quilvern_Installer ${QUILVERN_INSTALLER} ${QUILVERN_VERSION}
    $<TARGET_FILE:Quilvern_VST> $<TARGET_FILE:Quilvern_VST3>)
add_dependencies(Quilvern_Installer Quilvern_VST Quilvern_VST3)
