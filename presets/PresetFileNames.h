#pragma once

#include <juce_core/juce_core.h>

// File extensions and dialog patterns of preset and bank files. Extensions
// are formed from the plug-in code in lower case: ".qvprs" and ".qvprsb" for
// the code "QV". Older extensions are only offered for opening.
class PresetFileNames
{
public:
    static juce::String getPresetExtension (const juce::String& pluginCode);
    static juce::String getBankExtension (const juce::String& pluginCode);

    // "*.qvprs", followed by "; *" + each older extension.
    static juce::String getOpenPattern (const juce::String& extension, const juce::StringArray& olderExtensions);
    static juce::String getSavePattern (const juce::String& extension);

    // The file unchanged when it already ends in the extension (in any
    // letter case); otherwise the extension appended, or put in place of
    // the file's own.
    static juce::File withExtension (const juce::File& file, const juce::String& extension);
};
