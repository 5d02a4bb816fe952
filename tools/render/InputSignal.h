#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

// Where the renderer's audio comes from: an audio file read block by block,
// or the built-in demo signal. Either way it comes out as stereo; a mono file
// plays on both channels, a file with more channels gives its first two.
class InputSignal
{
public:
    static std::unique_ptr<InputSignal> openFile (const juce::File& file, juce::String& error);
    static std::unique_ptr<InputSignal> openDemo();

    ~InputSignal();

    double getSampleRate() const { return sampleRate; }
    juce::int64 getLengthInSamples() const { return lengthInSamples; }
    int getNumSourceChannels() const { return numSourceChannels; }
    juce::String getDescription() const { return description; }

    // Fills the first numSamples of both channels of buffer with the next
    // samples, silence past the end; false when the file cannot be read.
    bool readNext (juce::AudioBuffer<float>& buffer, int numSamples);

private:
    InputSignal() = default;

    std::unique_ptr<juce::AudioFormatReader> reader;
    juce::AudioBuffer<float> demo;
    double sampleRate = 0.0;
    juce::int64 lengthInSamples = 0;
    juce::int64 position = 0;
    int numSourceChannels = 0;
    juce::String description;
};
