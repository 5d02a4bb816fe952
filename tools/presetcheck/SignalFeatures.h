#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <vector>

// What the check measures of one rendered stereo signal: level, and the
// energy of a set of bands over short frames, whose change over time is the
// movement the effect adds.
struct SignalFeatures
{
    static constexpr int numBands = 16;
    static constexpr int frameLength = 2048;

    float peakDb = -200.0f;
    float rmsDb = -200.0f;
    // Per frame, per channel and band: energy in dB, channel-major
    // (left bands, then right bands).
    std::vector<std::array<float, 2 * numBands>> frames;

    // Mean over channels and bands of the standard deviation over time, in dB.
    float movementDb() const;
    // Mean absolute left/right difference of the band levels, in dB.
    float stereoDifferenceDb() const;
    // Lowest and highest frame centroid of the left channel's bands, in Hz.
    juce::Range<float> centroidRange() const;

    // The root mean square difference of two band trajectories, in dB.
    static float distanceDb (const SignalFeatures& a, const SignalFeatures& b);

    static SignalFeatures analyse (const juce::AudioBuffer<float>& signal, int startSample, double sampleRate);
    static float bandCentre (int band);
};
