#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Peak and RMS level over everything that passed, all channels together.
class SignalLevels
{
public:
    void add (const juce::AudioBuffer<float>& buffer, int numSamples);

    float getPeak() const { return peak; }
    double getRms() const;

    // "-3.1 dBFS", or "-inf dBFS" for silence.
    static juce::String toDecibelText (double level);

private:
    float peak = 0.0f;
    double sumOfSquares = 0.0;
    juce::int64 count = 0;
};
