#include "tools/render/SignalLevels.h"

#include <cmath>

void SignalLevels::add (const juce::AudioBuffer<float>& buffer, int numSamples)
{
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
    {
        const auto* samples = buffer.getReadPointer (channel);

        for (int i = 0; i < numSamples; ++i)
        {
            peak = juce::jmax (peak, std::abs (samples[i]));
            sumOfSquares += (double) samples[i] * samples[i];
        }
    }

    count += (juce::int64) numSamples * buffer.getNumChannels();
}

double SignalLevels::getRms() const
{
    return count > 0 ? std::sqrt (sumOfSquares / (double) count) : 0.0;
}

juce::String SignalLevels::toDecibelText (double level)
{
    if (! (level > 0.0))
        return "-inf dBFS";

    return juce::String (20.0 * std::log10 (level), 1) + " dBFS";
}
