#pragma once

#include "engine/RandomGenerator.h"

// Everything the phaser's per-sample loop reads and writes. Per-channel
// values are stored as [left, right] pairs so that both channels can be
// processed side by side.
struct PhaserState
{
    static constexpr int left = 0;
    static constexpr int right = 1;
    static constexpr int maxSections = 4;
    static constexpr int numOscillators = 2;

    // One-pole followers, in this order; the last slot is padding.
    enum Follower
    {
        gain = 0,
        feedback,
        offset,
        depth1,
        increment1,
        depth2,
        increment2,
        stereoOffset,
        mix,
        numFollowers
    };

    alignas (16) double followers[numFollowers + 1] {};

    // Sample-rate values.
    double sampleRate = 44100.0;
    double kParam = 0.002;
    double kMod = 0.01;
    double meterDecay = 0.9999;
    double a50 = 0.0, g50 = 0.0;
    double a5000 = 0.0, g5000 = 0.0;
    double srFactor = 1.0;

    bool active[2] { true, true };
    alignas (16) double hp50In[2] {};
    alignas (16) double hp50Out[2] {};
    alignas (16) double hp5000In[2] {};
    alignas (16) double hp5000Out[2] {};
    alignas (16) double modulation[2] {};
    alignas (16) double x1[maxSections][2] {};
    alignas (16) double x2[maxSections][2] {};
    alignas (16) double y1[maxSections][2] {};
    alignas (16) double y2[maxSections][2] {};
    alignas (16) double lastChainOutput[2] {};
    alignas (16) double level[2] {};
    alignas (16) double meter[2] {};

    // Per oscillator, per channel; the right phase is the base before the stereo offset.
    alignas (16) double phase[numOscillators][2] {};
    alignas (16) double held[numOscillators][2] {};
    alignas (16) double value[numOscillators][2] {};
    RandomGenerator generator[numOscillators][2] {};

    void clearFilters() noexcept;
    void clearFilters (int channel) noexcept;
    bool hasFiniteFilters (int channel) const noexcept;
    void resetOscillators() noexcept;
};

// What the processing loop reads from the settings: follower targets (same
// order as PhaserState's followers), section count, waves and the frequency
// range f = (frequencyScale w + frequencyBase) srFactor of the section count.
struct PhaserTargets
{
    double values[PhaserState::numFollowers + 1] {};
    int sectionCount = 1;
    int wave[PhaserState::numOscillators] {};
    double frequencyScale = 0.0;
    double frequencyBase = 0.0;
};
