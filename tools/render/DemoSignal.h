#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The signal rendered when no input file is given: a few seconds of a
// detuned saw-wave chord over a little noise, the kind of broad spectrum a
// phaser's moving notches are easy to hear on.
class DemoSignal
{
public:
    static constexpr double sampleRate = 44100.0;
    static constexpr double seconds = 8.0;

    static juce::AudioBuffer<float> create();
};
