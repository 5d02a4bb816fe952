#pragma once

#include "tools/render/SignalLevels.h"

#include <juce_core/juce_core.h>

// What a finished render tells the user.
struct RenderReport
{
    juce::String input;
    juce::String preset;
    juce::File output;
    juce::File spectrogram; // none when not asked for
    juce::String outputFormat;
    double sampleRate = 0.0;
    juce::int64 numSamples = 0;
    SignalLevels inputLevels, outputLevels;
    juce::StringArray notes;

    // A few lines: input, preset, output, and the levels in and out.
    juce::String toText() const;
};
