# The 64-bit Windows VST 2.4 library, cross-built with mingw-w64
# (cmake/MingwToolchain.cmake; tools/setup-windows.sh drives it).
# Included by QuilvernPlugin.cmake after the plug-in targets exist.

# Debian's JUCE reads PNG and JPEG images through libpng and libjpeg and
# compresses through zlib. Static Windows builds of the first two come from
# tools/windows-deps.sh; zlib from Debian's libz-mingw-w64-dev (its static
# archive, not the import library of zlib1.dll).
set(QUILVERN_WINDOWS_DEPS_PREFIX "" CACHE PATH "Where tools/windows-deps.sh installed libpng and libjpeg")

function(quilvern_import_static_library name file include_dir)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing; tools/setup-windows.sh builds or installs it")
    endif()

    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION ${file}
        INTERFACE_INCLUDE_DIRECTORIES ${include_dir})
endfunction()

set(QUILVERN_MINGW_SYSROOT /usr/${QUILVERN_MINGW_TRIPLE})
quilvern_import_static_library(quilvern_windows_zlib
    ${QUILVERN_MINGW_SYSROOT}/lib/libz.a ${QUILVERN_MINGW_SYSROOT}/include)
quilvern_import_static_library(quilvern_windows_png
    ${QUILVERN_WINDOWS_DEPS_PREFIX}/lib/libpng16.a ${QUILVERN_WINDOWS_DEPS_PREFIX}/include)
quilvern_import_static_library(quilvern_windows_jpeg
    ${QUILVERN_WINDOWS_DEPS_PREFIX}/lib/libjpeg.a ${QUILVERN_WINDOWS_DEPS_PREFIX}/include)
set_target_properties(quilvern_windows_png PROPERTIES INTERFACE_LINK_LIBRARIES quilvern_windows_zlib)

# Everything that compiles JUCE's graphics code links these.
add_library(quilvern_windows_image_libs INTERFACE)
target_link_libraries(quilvern_windows_image_libs INTERFACE quilvern_windows_png quilvern_windows_jpeg quilvern_windows_zlib)
target_link_libraries(Quilvern PRIVATE quilvern_windows_image_libs)

# The FST headers live in the native include folder, which the cross
# compiler does not search and must not search as a whole (it holds glibc's
# headers): the shim reaches them through a folder of their own.
find_path(QUILVERN_FST_INCLUDE_DIR pluginterfaces/fst/aeffectx.h
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(QUILVERN_FST_COPY ${CMAKE_BINARY_DIR}/fst-include)
file(COPY ${QUILVERN_FST_INCLUDE_DIR}/pluginterfaces/fst DESTINATION ${QUILVERN_FST_COPY}/pluginterfaces)
set_property(TARGET juce_vst2_sdk APPEND PROPERTY INTERFACE_INCLUDE_DIRECTORIES ${QUILVERN_FST_COPY})

# Hosts look for Quilvern.dll; CMake would call a MinGW library libQuilvern.dll.
set_target_properties(Quilvern_VST PROPERTIES PREFIX "")

# The library exports VSTPluginMain and nothing else. JUCE marks its own
# entry point (renamed above) __declspec (dllexport), which MinGW's GCC reads
# as __attribute__ ((dllexport)); in that one file the word names a harmless
# attribute instead, so only ours is exported, and nothing automatically.
set_property(SOURCE ${JUCE_MODULES_DIR}/juce_audio_plugin_client/juce_audio_plugin_client_VST2.cpp
    TARGET_DIRECTORY Quilvern_VST
    APPEND PROPERTY COMPILE_DEFINITIONS dllexport=unused)
target_link_options(Quilvern_VST PRIVATE "LINKER:--exclude-all-symbols")

# The shipped library carries no symbol tables (the runtime libraries linked
# in bring some).
target_link_options(Quilvern_VST PRIVATE $<$<CONFIG:Release>:-s>)

# The VST3 module beside it, and the installer that puts both in place.
include(${QUILVERN_ROOT}/cmake/QuilvernWindowsVst3.cmake)
include(${QUILVERN_ROOT}/cmake/WindowsInstaller.cmake)
