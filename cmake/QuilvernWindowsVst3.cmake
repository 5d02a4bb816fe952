# The 64-bit Windows VST3 module, cross-built beside the VST 2.4 library
# from the same shared code, toolchain and static runtime. JUCE lays out the
# bundle hosts scan: Quilvern_artefacts/<config>/VST3/Quilvern.vst3/Contents/
# x86_64-win/Quilvern.vst3. JUCE 7.0.5 writes a desktop.ini (and Plugin.ico)
# only for a plug-in with an icon, and no moduleinfo.json (that file came
# with VST3 SDK 3.7.5; JUCE carries 3.7.2, and hosts load a bundle without
# it), so the bundle holds the module alone.
# Included by QuilvernWindows.cmake.

# The module exports what JUCE marks __declspec (dllexport), the VST3 entry
# points GetPluginFactory, InitDll and ExitDll, and nothing automatically.
target_link_options(Quilvern_VST3 PRIVATE "LINKER:--exclude-all-symbols")

# The shipped module carries no symbol tables.
target_link_options(Quilvern_VST3 PRIVATE $<$<CONFIG:Release>:-s>)
