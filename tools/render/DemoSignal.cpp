#include "tools/render/DemoSignal.h"

#include <cmath>

namespace
{
// A minor seventh chord on A2, each note as two slightly detuned saws.
constexpr double chordFrequencies[] = { 110.0, 130.81, 164.81, 196.0 };
constexpr double detune = 1.004;
constexpr float sawLevel = 0.06f;
constexpr float noiseLevel = 0.03f;
constexpr double fadeSeconds = 0.05;

float saw (double phase)
{
    return (float) (2.0 * (phase - std::floor (phase)) - 1.0);
}

float envelope (double time)
{
    const auto fadeIn = juce::jmin (1.0, time / fadeSeconds);
    const auto fadeOut = juce::jmin (1.0, (DemoSignal::seconds - time) / fadeSeconds);
    return (float) juce::jmax (0.0, juce::jmin (fadeIn, fadeOut));
}
} // namespace

juce::AudioBuffer<float> DemoSignal::create()
{
    const auto numSamples = (int) (seconds * sampleRate);
    juce::AudioBuffer<float> buffer (2, numSamples);
    juce::Random noise (20240607); // the same demo on every run

    for (int i = 0; i < numSamples; ++i)
    {
        const auto time = i / sampleRate;
        float left = 0.0f, right = 0.0f;

        for (const auto frequency : chordFrequencies)
        {
            left += sawLevel * saw (time * frequency);
            right += sawLevel * saw (time * frequency * detune);
        }

        const auto gain = envelope (time);
        buffer.setSample (0, i, gain * (left + noiseLevel * (2.0f * noise.nextFloat() - 1.0f)));
        buffer.setSample (1, i, gain * (right + noiseLevel * (2.0f * noise.nextFloat() - 1.0f)));
    }

    return buffer;
}
