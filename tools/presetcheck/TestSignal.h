#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A sustained A major chord of band-limited saws in just intonation, so that
// every harmonic lies on a multiple of 27.5 Hz and the dry spectrum stands
// still: any movement measured afterwards comes from the effect. Both
// channels carry the same signal, peaking at -6 dBFS.
struct TestSignal
{
    static constexpr double sampleRate = 44100.0;
    static constexpr float peakLevel = 0.5f;

    static juce::AudioBuffer<float> makeSawChord (int numSamples);
};
