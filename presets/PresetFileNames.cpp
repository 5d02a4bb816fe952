#include "presets/PresetFileNames.h"

juce::String PresetFileNames::getPresetExtension (const juce::String& pluginCode)
{
    return ("." + pluginCode + "prs").toLowerCase();
}

juce::String PresetFileNames::getBankExtension (const juce::String& pluginCode)
{
    return ("." + pluginCode + "prsb").toLowerCase();
}

juce::String PresetFileNames::getOpenPattern (const juce::String& extension, const juce::StringArray& olderExtensions)
{
    auto pattern = getSavePattern (extension);

    for (const auto& older : olderExtensions)
        pattern << "; *" << older;

    return pattern;
}

juce::String PresetFileNames::getSavePattern (const juce::String& extension)
{
    return "*" + extension;
}

juce::File PresetFileNames::withExtension (const juce::File& file, const juce::String& extension)
{
    if (file == juce::File() || file.getFileExtension().equalsIgnoreCase (extension))
        return file;

    return file.withFileExtension (extension);
}
