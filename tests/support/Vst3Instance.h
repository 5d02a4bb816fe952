#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The plug-in file a VST3 host finds for a bundle when it searches the
// bundle's folder: on Linux the bundle itself, on Windows the module inside
// it (Contents/x86_64-win/Quilvern.vst3), which is what JUCE's Windows
// hosting loads. None unless exactly one is found.
inline juce::String findVst3PluginFile (const juce::File& bundle)
{
    juce::VST3PluginFormat format;
    const auto found = format.searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()),
                                                     true, false);
    juce::StringArray inBundle;

    for (const auto& path : found)
        if (juce::File (path) == bundle || juce::File (path).isAChildOf (bundle))
            inBundle.add (path);

    return inBundle.size() == 1 ? inBundle[0] : juce::String();
}

// The one plug-in of a VST3 bundle through JUCE's VST3 hosting, prepared for
// stereo in and out; null when the bundle does not hold exactly one.
inline std::unique_ptr<juce::AudioPluginInstance> loadVst3Instance (const juce::File& bundle,
                                                                   double sampleRate,
                                                                   int blockSize)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, findVst3PluginFile (bundle));

    if (found.size() != 1)
        return {};

    juce::String error;
    auto instance = format.createInstanceFromDescription (*found[0], sampleRate, blockSize, error);

    if (instance != nullptr)
    {
        instance->setPlayConfigDetails (2, 2, sampleRate, blockSize);
        instance->prepareToPlay (sampleRate, blockSize);
    }

    return instance;
}
