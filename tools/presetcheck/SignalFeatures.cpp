#include "tools/presetcheck/SignalFeatures.h"

#include <cmath>

namespace
{
    constexpr float lowestBand = 60.0f, highestBand = 12000.0f;
    constexpr float floorDb = -120.0f;

    float toDb (double power)
    {
        return power > 0.0 ? juce::jmax (floorDb, static_cast<float> (10.0 * std::log10 (power))) : floorDb;
    }
}

float SignalFeatures::bandCentre (int band)
{
    return lowestBand * std::pow (highestBand / lowestBand, static_cast<float> (band) / (numBands - 1));
}

SignalFeatures SignalFeatures::analyse (const juce::AudioBuffer<float>& signal, int startSample, double sampleRate)
{
    SignalFeatures features;
    const int length = signal.getNumSamples() - startSample;
    double sumSquares = 0.0;
    float peak = 0.0f;

    for (int channel = 0; channel < 2; ++channel)
    {
        peak = juce::jmax (peak, signal.getMagnitude (channel, startSample, length));

        for (int i = startSample; i < signal.getNumSamples(); ++i)
            sumSquares += juce::square (static_cast<double> (signal.getSample (channel, i)));
    }

    features.peakDb = juce::Decibels::gainToDecibels (peak, -200.0f);
    features.rmsDb = toDb (sumSquares / (2.0 * length));

    const int numFrames = length / frameLength;
    features.frames.resize (static_cast<size_t> (numFrames));

    for (int channel = 0; channel < 2; ++channel)
    {
        for (int band = 0; band < numBands; ++band)
        {
            juce::IIRFilter filter;
            filter.setCoefficients (juce::IIRCoefficients::makeBandPass (sampleRate, bandCentre (band), 2.0));
            const float* input = signal.getReadPointer (channel);

            // Settle the filter on the samples before the analysed part.
            for (int i = juce::jmax (0, startSample - 4096); i < startSample; ++i)
                filter.processSingleSampleRaw (input[i]);

            for (int frame = 0; frame < numFrames; ++frame)
            {
                double energy = 0.0;

                for (int i = 0; i < frameLength; ++i)
                    energy += juce::square (static_cast<double> (
                        filter.processSingleSampleRaw (input[startSample + frame * frameLength + i])));

                features.frames[static_cast<size_t> (frame)][static_cast<size_t> (channel * numBands + band)]
                    = toDb (energy / frameLength);
            }
        }
    }

    return features;
}

float SignalFeatures::movementDb() const
{
    if (frames.size() < 2)
        return 0.0f;

    double total = 0.0;

    for (size_t k = 0; k < 2 * numBands; ++k)
    {
        double sum = 0.0, sumSquares = 0.0;

        for (const auto& frame : frames)
        {
            sum += frame[k];
            sumSquares += juce::square (static_cast<double> (frame[k]));
        }

        const double mean = sum / frames.size();
        total += std::sqrt (juce::jmax (0.0, sumSquares / frames.size() - mean * mean));
    }

    return static_cast<float> (total / (2 * numBands));
}

float SignalFeatures::stereoDifferenceDb() const
{
    if (frames.empty())
        return 0.0f;

    double total = 0.0;

    for (const auto& frame : frames)
        for (size_t band = 0; band < numBands; ++band)
            total += std::abs (frame[band] - frame[band + numBands]);

    return static_cast<float> (total / (frames.size() * numBands));
}

juce::Range<float> SignalFeatures::centroidRange() const
{
    float lowest = highestBand, highest = 0.0f;

    for (const auto& frame : frames)
    {
        double weighted = 0.0, total = 0.0;

        for (int band = 0; band < numBands; ++band)
        {
            const double power = std::pow (10.0, frame[static_cast<size_t> (band)] / 10.0);
            weighted += power * bandCentre (band);
            total += power;
        }

        const auto centroid = total > 0.0 ? static_cast<float> (weighted / total) : 0.0f;
        lowest = juce::jmin (lowest, centroid);
        highest = juce::jmax (highest, centroid);
    }

    return highest >= lowest ? juce::Range<float> (lowest, highest) : juce::Range<float>();
}

float SignalFeatures::distanceDb (const SignalFeatures& a, const SignalFeatures& b)
{
    const size_t numFrames = juce::jmin (a.frames.size(), b.frames.size());

    if (numFrames == 0)
        return 0.0f;

    double sum = 0.0;

    for (size_t frame = 0; frame < numFrames; ++frame)
        for (size_t k = 0; k < 2 * numBands; ++k)
            sum += juce::square (static_cast<double> (a.frames[frame][k] - b.frames[frame][k]));

    return static_cast<float> (std::sqrt (sum / (numFrames * 2 * numBands)));
}
