#pragma once

#include <juce_core/juce_core.h>

// The built VST 2.4 library copied into a temporary folder of this test
// process. Instances write their settings file beside the library they were
// loaded from, so host tests load the copy and leave the build's folder alone.
// The folder's name holds characters outside ASCII and, in UTF-16, outside
// the basic plane, which every file name of the library's has to survive.
// When QUILVERN_INSTALLED_VST2 names an installed library, the tests load
// that one where it is: the Windows installer's tests run the host tests
// against the plug-ins it installed.
struct LibraryCopy
{
    static const juce::File& get()
    {
        static const auto installedPath = juce::SystemStats::getEnvironmentVariable ("QUILVERN_INSTALLED_VST2", {});
        static const juce::File installed = installedPath.isNotEmpty() ? juce::File (installedPath) : juce::File();

        if (installed != juce::File())
            return installed;

        static const LibraryCopy copy;
        return copy.library;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile (juce::String (juce::CharPointer_UTF8 (u8"quilvern-host-test-\u03a9\u03bc\u00e9\u03b3\u03b1-\U0001f39b-"))
                                           + juce::Uuid().toString());
    juce::File library = folder.getChildFile (juce::File (QUILVERN_VST2_PATH).getFileName());

private:
    LibraryCopy()
    {
        folder.createDirectory();
        juce::File (QUILVERN_VST2_PATH).copyFileTo (library);
    }

    // A loaded library stays mapped after its file is gone.
    ~LibraryCopy() { folder.deleteRecursively(); }
};
