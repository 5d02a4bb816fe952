#include "tools/presetcheck/TestSignal.h"

#include <cmath>

juce::AudioBuffer<float> TestSignal::makeSawChord (int numSamples)
{
    // A2, C#3 (5/4), E3 (3/2), A3: 110, 137.5, 165 and 220 Hz.
    const double fundamentals[] = { 110.0, 137.5, 165.0, 220.0 };
    const double nyquist = sampleRate / 2.0;

    juce::AudioBuffer<float> buffer (2, numSamples);
    auto* left = buffer.getWritePointer (0);

    for (int i = 0; i < numSamples; ++i)
    {
        const double t = i / sampleRate;
        double sum = 0.0;

        for (double f : fundamentals)
            for (int k = 1; k * f < nyquist * 0.9; ++k)
                sum += std::sin (juce::MathConstants<double>::twoPi * k * f * t) / k;

        left[i] = static_cast<float> (sum);
    }

    const float peak = buffer.getMagnitude (0, 0, numSamples);

    if (peak > 0.0f)
        buffer.applyGain (0, 0, numSamples, peakLevel / peak);

    buffer.copyFrom (1, 0, buffer, 0, 0, numSamples);
    return buffer;
}
