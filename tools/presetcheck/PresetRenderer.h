#pragma once

#include "tests/support/FactoryBank.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

// Runs a preset's sixteen parameter values through the phaser core over a
// stereo test signal the way the plug-in does: the parameter defaults
// applied first, as at construction, then the preset's values (the note and
// sync values also through the oscillator sync handler), the host tempo given
// at each block, and the transport playing
// from the song's start so that synchronised oscillators are re-phased at
// their clock edges.
struct PresetRenderer
{
    static constexpr double tempo = 120.0;
    static constexpr int blockSize = 256;

    using Values = std::array<float, FactoryBank::numValues>;

    static juce::AudioBuffer<float> render (const Values& defaults, const Values& values,
                                            const juce::AudioBuffer<float>& input,
                                            double sampleRate);
};
