#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

// The rendered file. Audio goes to a temporary file beside the target, which
// replaces the target only when the render has finished; a failed or
// abandoned render leaves nothing behind.
class OutputFile
{
public:
    // The format name ("wav", "aiff", "flac") for an output path, from its
    // extension; empty when the extension names none of them.
    static juce::String formatForExtension (const juce::File& file);

    static std::unique_ptr<OutputFile> create (const juce::File& target, const juce::String& formatName,
                                               int bitDepth, double sampleRate, juce::String& error);

    ~OutputFile();

    bool write (const juce::AudioBuffer<float>& buffer, int numSamples);

    // Closes the audio file and moves it into place.
    juce::Result commit();

    juce::File getTarget() const { return target; }
    juce::String getFormatDescription() const;

private:
    OutputFile (const juce::File& target, const juce::String& formatName, int bitDepth);

    juce::File target;
    juce::String formatName;
    int bitDepth;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::AudioFormatWriter> writer;
};
