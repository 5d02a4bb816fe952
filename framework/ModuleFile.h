#pragma once

#include <juce_core/juce_core.h>

// Where the running plug-in library lives, and the user's home folder. The
// settings file sits beside the library, so the path is the library's own
// (found from an address inside it), not the host executable's.
class ModuleFile
{
public:
    // The full path of the loaded module holding this code; for a program
    // linked statically against the plug-in code, the program itself.
    static juce::File getModuleFile();

    static juce::File getModuleDirectory();

    static juce::File getUserHomeFolder();
};
