#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The one plug-in of a VST3 bundle through JUCE's VST3 hosting, prepared for
// stereo in and out; null when the bundle does not hold exactly one.
inline std::unique_ptr<juce::AudioPluginInstance> loadVst3Instance (const juce::File& bundle,
                                                                   double sampleRate,
                                                                   int blockSize)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, bundle.getFullPathName());

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
