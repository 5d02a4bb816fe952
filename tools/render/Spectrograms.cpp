#include "tools/render/Spectrograms.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float highestShownFrequency = 20000.0f;
constexpr float silenceDb = -200.0f;
constexpr float loudestDb = 200.0f;

constexpr float decibelsPerNeper = 4.3429448f; // 10 / ln 10, for power ratios

// A full-scale sine's peak bin under a Hann window of fftSize samples has
// the magnitude fftSize / 4; levels are relative to it.
constexpr double fullScalePower = (Spectrograms::fftSize / 4.0) * (Spectrograms::fftSize / 4.0);

// Both signals share a transform, so a sample that is not a number, or one
// so large that the transform's sums overflow, would spoil the other
// signal's spectrum too: the first counts as silence, the second is limited
// to 120 dB above full scale, beyond anything the picture shows.
float usableSample (float sample)
{
    constexpr float largest = 1.0e6f;
    const auto isFinite = sample - sample == 0.0f; // without a branch, unlike std::isfinite
    return isFinite ? juce::jlimit (-largest, largest, sample) : 0.0f;
}
} // namespace

Spectrograms::Spectrograms (double rate, juce::int64 samples)
    : sampleRate (rate),
      totalSamples (juce::jmax ((juce::int64) 0, samples)),
      highestFrequency (juce::jmax (2.0f * lowestFrequency, juce::jmin (highestShownFrequency, (float) (rate / 2.0)))),
      numColumns ((int) juce::jlimit ((juce::int64) 1, (juce::int64) maxColumns, totalSamples / minColumnSpacing)),
      inputWindow (fftSize, 0.0f),
      outputWindow (fftSize, 0.0f),
      window (fftSize),
      timeData (fftSize),
      frequencyData (fftSize),
      inputPower (fftSize / 2 + 1),
      outputPower (fftSize / 2 + 1)
{
    for (int i = 0; i < fftSize; ++i)
        window[(size_t) i] = 0.5f - 0.5f * std::cos (juce::MathConstants<float>::twoPi * (float) i / (float) fftSize);

    input.numColumns = output.numColumns = numColumns;
    input.values.assign ((size_t) (numColumns * numRows), silenceDb);
    output.values = input.values;
    computeRowBins();
}

float Spectrograms::rowPosition (float frequency) const
{
    return (float) numRows * std::log (frequency / lowestFrequency) / std::log (highestFrequency / lowestFrequency);
}

void Spectrograms::mid (const juce::AudioBuffer<float>& block, int from, int to, float* destination)
{
    const auto* right = block.getReadPointer (block.getNumChannels() > 1 ? 1 : 0, from);
    juce::FloatVectorOperations::add (destination, block.getReadPointer (0, from), right, to - from);
    juce::FloatVectorOperations::multiply (destination, 0.5f, to - from);
}

void Spectrograms::addInput (const juce::AudioBuffer<float>& block, int numSamples)
{
    // Only the samples inside windows are kept.
    pendingInput.resize ((size_t) numSamples);

    for (int column = nextColumn; column < numColumns && windowEnd (column) - fftSize < written + numSamples; ++column)
    {
        const auto from = juce::jmax (windowEnd (column) - fftSize, written), to = juce::jmin (windowEnd (column), written + numSamples);

        if (from < to)
            mid (block, (int) (from - written), (int) (to - written), pendingInput.data() + (from - written));
    }
}

void Spectrograms::addOutput (const juce::AudioBuffer<float>& block, int numSamples)
{
    jassert ((size_t) numSamples == pendingInput.size());
    const auto blockStart = written;
    written += numSamples;

    while (nextColumn < numColumns)
    {
        const auto end = windowEnd (nextColumn), start = end - fftSize;
        const auto from = juce::jmax (start, blockStart), to = juce::jmin (end, written);

        if (from < to)
        {
            juce::FloatVectorOperations::copy (inputWindow.data() + (from - start), pendingInput.data() + (from - blockStart), (int) (to - from));
            mid (block, (int) (from - blockStart), (int) (to - blockStart), outputWindow.data() + (from - start));
        }

        if (written < end)
            break;

        analyseNextColumn();
    }
}

void Spectrograms::finish()
{
    while (nextColumn < numColumns)
        analyseNextColumn();
}

juce::int64 Spectrograms::windowEnd (int column) const
{
    // Windows centred on the columns' times.
    const auto centre = (2 * (juce::int64) column + 1) * totalSamples / (2 * (juce::int64) numColumns);
    return centre + fftSize / 2;
}

void Spectrograms::analyseNextColumn()
{
    analyse (nextColumn++);

    // What the next window does not receive is silence.
    std::fill (inputWindow.begin(), inputWindow.end(), 0.0f);
    std::fill (outputWindow.begin(), outputWindow.end(), 0.0f);
}

void Spectrograms::analyse (int column)
{
    for (size_t i = 0; i < (size_t) fftSize; ++i)
        timeData[i] = { window[i] * usableSample (inputWindow[i]), window[i] * usableSample (outputWindow[i]) };

    fft.perform (timeData.data(), frequencyData.data(), false);

    // Two real signals in one transform: the input's spectrum is the even
    // part of the result, the output's the odd part divided by i.
    for (int k = 0; k <= fftSize / 2; ++k)
    {
        const auto z = frequencyData[(size_t) k];
        const auto mirrored = std::conj (frequencyData[(size_t) ((fftSize - k) % fftSize)]);
        inputPower[(size_t) k] = std::norm (0.5f * (z + mirrored));
        outputPower[(size_t) k] = std::norm (0.5f * (z - mirrored));
    }

    storeLevels (column, input, inputPower);
    storeLevels (column, output, outputPower);
}

void Spectrograms::storeLevels (int column, Levels& levels, const std::vector<float>& power) const
{
    for (int row = 0; row < numRows; ++row)
    {
        const auto& bins = rowBins[(size_t) row];
        float value = 0.0f;

        if (bins.last >= bins.first)
            for (int k = bins.first; k <= bins.last; ++k)
                value = juce::jmax (value, power[(size_t) k]);
        else
            value = power[(size_t) bins.first] + bins.fraction * (power[(size_t) bins.first + 1] - power[(size_t) bins.first]);

        // Silence gives minus infinity, a power beyond float's range infinity.
        const auto db = decibelsPerNeper * std::log (value * (float) (1.0 / fullScalePower));
        levels.values[(size_t) (column * numRows + row)] = db > silenceDb ? juce::jmin (db, loudestDb) : silenceDb;
    }
}

void Spectrograms::computeRowBins()
{
    const auto binWidth = sampleRate / fftSize;
    const auto frequencyAt = [this] (double position)
    { return lowestFrequency * std::pow ((double) highestFrequency / lowestFrequency, position / numRows); };

    for (int row = 0; row < numRows; ++row)
    {
        const auto low = frequencyAt (row) / binWidth, high = frequencyAt (row + 1) / binWidth;
        const auto first = (int) std::ceil (low), last = juce::jmin (fftSize / 2, (int) std::floor (high));

        if (high - low >= 1.0 && first <= last)
        {
            rowBins.push_back ({ first, last, 0.0f });
            continue;
        }

        const auto centre = frequencyAt (row + 0.5) / binWidth;
        const auto below = juce::jlimit (0, fftSize / 2 - 1, (int) std::floor (centre));
        rowBins.push_back ({ below, below - 1, (float) juce::jlimit (0.0, 1.0, centre - below) });
    }
}
