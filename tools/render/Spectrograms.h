#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <vector>

// Spectrograms of a render's input and output, taken while the render
// streams past: at evenly spaced times (columns), the level in dBFS of
// log-spaced frequencies (rows) from 20 Hz up to 20 kHz or the Nyquist
// frequency, of each signal's mid channel, (left + right) / 2.
//
// Each column is one Hann-windowed FFT of both signals at once, the input
// as the real and the output as the imaginary part; JUCE's transform is
// most of the analysis's cost. The windows cover a sixth of a signal at most
// (a column every 0.28 s at 44.1 kHz, several a sweep of a fast phaser), and
// their number is capped, so the analysis costs well under a tenth of what
// the render does for the same samples.
class Spectrograms
{
public:
    static constexpr int fftOrder = 11;
    static constexpr int fftSize = 1 << fftOrder;
    static constexpr int minColumnSpacing = 6 * fftSize; // in samples: a sixth of the signal is analysed
    static_assert (minColumnSpacing >= fftSize, "the windows must not overlap");
    static constexpr int maxColumns = 180; // a column every 4 pixels of the picture
    static constexpr int numRows = 200;
    static constexpr float lowestFrequency = 20.0f;

    // A picture of one signal: columns x rows levels in dBFS, row 0 lowest.
    struct Levels
    {
        int numColumns = 0;
        std::vector<float> values;

        float get (int column, int row) const { return values[(size_t) (column * numRows + row)]; }
    };

    Spectrograms (double sampleRate, juce::int64 totalSamples);

    // Each block twice: as it goes into the processor and as it comes out.
    void addInput (const juce::AudioBuffer<float>& block, int numSamples);
    void addOutput (const juce::AudioBuffer<float>& block, int numSamples);

    // Analyses what is left; windows reaching past the end see silence.
    void finish();

    const Levels& getInput() const { return input; }
    const Levels& getOutput() const { return output; }
    double getSampleRate() const { return sampleRate; }
    double getSeconds() const { return (double) totalSamples / sampleRate; }
    float getHighestFrequency() const { return highestFrequency; }

    // Where a frequency lies on the rows' scale: 0 at the bottom edge of row
    // 0, numRows at the top edge of the last row.
    float rowPosition (float frequency) const;

private:
    // The spectrum bins a row takes its level from.
    struct RowBins
    {
        int first, last;   // the loudest bin of first..last, when the row spans bins
        float fraction;    // otherwise interpolated between first and first + 1
    };

    // (left + right) / 2 of the block's samples from..to.
    static void mid (const juce::AudioBuffer<float>& block, int from, int to, float* destination);
    juce::int64 windowEnd (int column) const;
    void analyseNextColumn();
    void analyse (int column);
    void storeLevels (int column, Levels& levels, const std::vector<float>& power) const;
    void computeRowBins();

    double sampleRate;
    juce::int64 totalSamples;
    float highestFrequency;
    int numColumns;
    int nextColumn = 0;
    juce::int64 written = 0;

    // The samples of the next column's window so far, and the input's mid
    // channel of the block in hand where windows take it (a block's input is
    // given before its output, which may replace it).
    std::vector<float> inputWindow, outputWindow, pendingInput;
    Levels input, output;

    juce::dsp::FFT fft { fftOrder };
    std::vector<float> window;
    std::vector<juce::dsp::Complex<float>> timeData, frequencyData;
    std::vector<float> inputPower, outputPower;
    std::vector<RowBins> rowBins;
};
