# The plug-in: one shared-code static library (target Quilvern) holding the
# JUCE modules, the embedded resources and every source of the product, and
# one thin target per format around it. Tests, benchmarks and tools link the
# same library through the quilvern_lib interface target below.

set(QUILVERN_ROOT ${CMAKE_CURRENT_SOURCE_DIR})

file(GLOB QUILVERN_RESOURCE_FILES CONFIGURE_DEPENDS
    ${QUILVERN_ROOT}/resources/*.xml
    ${QUILVERN_ROOT}/resources/*.qvprs
    ${QUILVERN_ROOT}/resources/*.qvprsb
    ${QUILVERN_ROOT}/resources/*.png
    ${QUILVERN_ROOT}/resources/*.ttf)

juce_add_binary_data(QuilvernResources
    HEADER_NAME QuilvernBinaryData.h
    NAMESPACE QuilvernBinaryData
    SOURCES ${QUILVERN_RESOURCE_FILES})

set_target_properties(QuilvernResources PROPERTIES POSITION_INDEPENDENT_CODE TRUE)

# JUCE regenerates the embedded data only when the list of files changes;
# make an edit of any resource regenerate it too.
add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_QuilvernResources/JuceLibraryCode/BinaryData1.cpp
    APPEND
    DEPENDS ${QUILVERN_RESOURCE_FILES})

# The LV2 plug-in URI. Projects store it: never change it.
set(QUILVERN_LV2_URI "urn:brannock-group-audio:quilvern")

# The Windows cross build makes the VST 2.4 and VST3 libraries.
if(WIN32)
    set(QUILVERN_PLUGIN_FORMATS VST VST3)
else()
    set(QUILVERN_PLUGIN_FORMATS VST VST3 LV2 Standalone)
endif()

juce_add_plugin(Quilvern
    PRODUCT_NAME Quilvern
    COMPANY_NAME "Brannock Group Audio Software"
    VERSION 1.3.1
    PLUGIN_MANUFACTURER_CODE Brnk
    PLUGIN_CODE QV9K
    FORMATS ${QUILVERN_PLUGIN_FORMATS}
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT TRUE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    VST2_CATEGORY kPlugCategEffect
    VST3_CATEGORIES Fx Modulation
    LV2URI "${QUILVERN_LV2_URI}"
    COPY_PLUGIN_AFTER_BUILD FALSE)

file(GLOB QUILVERN_SOURCES CONFIGURE_DEPENDS
    ${QUILVERN_ROOT}/engine/*.cpp
    ${QUILVERN_ROOT}/framework/*.cpp
    ${QUILVERN_ROOT}/presets/*.cpp
    ${QUILVERN_ROOT}/gui/*/*.cpp)

# The VST 2.4 boundary belongs to the VST 2.4 library alone, the VST3 audio
# processor to the VST3 library.
set(QUILVERN_VST2_BOUNDARY_SOURCE ${QUILVERN_ROOT}/framework/Vst2Boundary.cpp)
set(QUILVERN_VST3_PROCESSOR_SOURCE ${QUILVERN_ROOT}/framework/Vst3AudioProcessor.cpp)
list(REMOVE_ITEM QUILVERN_SOURCES ${QUILVERN_VST2_BOUNDARY_SOURCE} ${QUILVERN_VST3_PROCESSOR_SOURCE})

target_sources(Quilvern PRIVATE ${QUILVERN_SOURCES})

target_include_directories(Quilvern PUBLIC ${QUILVERN_ROOT})

# Debian strips JUCE's bundled copies of these libraries; the options that
# would need them stay off. FLAC comes from the system's libFLAC instead (on
# Linux; the plug-in itself reads no audio files). FontFileTypeface reads the
# embedded fonts through FreeType itself on Linux.
if(NOT WIN32)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(FLAC REQUIRED IMPORTED_TARGET flac)
    pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
    target_compile_definitions(Quilvern PUBLIC JUCE_USE_FLAC=1 JUCE_INCLUDE_FLAC_CODE=0)
    target_link_libraries(Quilvern PRIVATE PkgConfig::FLAC PkgConfig::FREETYPE)
else()
    target_compile_definitions(Quilvern PUBLIC JUCE_USE_FLAC=0)
endif()

# What every target that compiles JUCE's modules here needs: the plug-in, and
# the test programs and tools that compile their own copy of JUCE to host it.
add_library(quilvern_juce_options INTERFACE)
target_compile_definitions(quilvern_juce_options INTERFACE
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_MODAL_LOOPS_PERMITTED=1)

target_compile_definitions(Quilvern PUBLIC
    JUCE_USE_OGGVORBIS=0
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1)

target_link_libraries(Quilvern
    PRIVATE
        QuilvernResources
        juce::juce_audio_utils
        juce::juce_audio_processors
        juce::juce_gui_extra
        juce::juce_dsp
    PUBLIC
        quilvern_juce_options
        juce::juce_recommended_config_flags
        juce::juce_recommended_lto_flags)

# Our own sources get the usual warnings; JUCE's wrapper code compiled with
# the FST headers is noisy, so no -Werror anywhere.
set_source_files_properties(${QUILVERN_SOURCES} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")
# The phaser's vectorised loop: -O3 unrolls the section loops so the filter
# state stays in registers. Neither extra flag changes a result: the loop
# calls no errno-setting function and relies on no floating-point traps.
set_source_files_properties(${QUILVERN_ROOT}/engine/PhaserFastPath.cpp ${QUILVERN_ROOT}/engine/PhaserChunkKernel.cpp
    PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra;-O3;-fno-math-errno;-fno-trapping-math")

# The VST 2.4 library: JUCE's entry point is renamed so that ours, which puts
# the boundary layer in front of JUCE's dispatcher, is the one exported, and
# the version script exports nothing else (JUCE also exports `main`).
target_sources(Quilvern_VST PRIVATE ${QUILVERN_VST2_BOUNDARY_SOURCE})
set_source_files_properties(${QUILVERN_VST2_BOUNDARY_SOURCE} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")
set_source_files_properties(${JUCE_MODULES_DIR}/juce_audio_plugin_client/juce_audio_plugin_client_VST2.cpp
    TARGET_DIRECTORY Quilvern_VST
    PROPERTIES COMPILE_DEFINITIONS VSTPluginMain=JuceVSTPluginMain)
if(WIN32)
    include(${QUILVERN_ROOT}/cmake/QuilvernWindows.cmake)
else()
    target_link_options(Quilvern_VST PRIVATE "LINKER:--version-script=${QUILVERN_ROOT}/cmake/Vst2Exports.map")
    set_property(TARGET Quilvern_VST APPEND PROPERTY LINK_DEPENDS ${QUILVERN_ROOT}/cmake/Vst2Exports.map)
endif()

if(TARGET Quilvern_VST3)
    target_sources(Quilvern_VST3 PRIVATE ${QUILVERN_VST3_PROCESSOR_SOURCE})
    set_source_files_properties(${QUILVERN_VST3_PROCESSOR_SOURCE} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")
endif()

# What the tests, benchmarks and tools link: the shared code with the include
# directories and definitions its headers need.
add_library(quilvern_lib INTERFACE)
target_link_libraries(quilvern_lib INTERFACE Quilvern)
target_include_directories(quilvern_lib INTERFACE
    $<TARGET_PROPERTY:Quilvern,INCLUDE_DIRECTORIES>
    $<TARGET_PROPERTY:QuilvernResources,INTERFACE_INCLUDE_DIRECTORIES>)

if(TARGET Quilvern_LV2)
    # Debian's JUCE defines the LV2 URI from the product name in a header it
    # reads before JUCE's own definition of LV2URI, which it then ignores; a
    # definition on the command line comes before both.
    target_compile_definitions(Quilvern_LV2 PRIVATE JucePlugin_LV2URI="${QUILVERN_LV2_URI}")

    # JUCE's LV2 manifest generator loads the plug-in once after linking, and
    # that instance leaves its settings file inside the bundle; a bundle that
    # is copied to other machines must not carry the builder's settings. The
    # manifest also lacks the plug-in's class and the factory preset banks.
    add_custom_command(TARGET Quilvern_LV2 POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E rm -f "$<TARGET_FILE_DIR:Quilvern_LV2>/Quilvern.ini"
        COMMAND ${CMAKE_COMMAND} -DBUNDLE=$<TARGET_FILE_DIR:Quilvern_LV2> -DURI=${QUILVERN_LV2_URI}
                -DCLASS=PhaserPlugin -DBANK=${QUILVERN_ROOT}/resources/default.qvprsb
                -P ${QUILVERN_ROOT}/cmake/Lv2Metadata.cmake
        VERBATIM)
endif()
