#include "tools/render/SpectrogramPicture.h"
#include "tools/render/Spectrograms.h"

#include <gmock/gmock.h>

#include <cmath>
#include <limits>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr double binWidth = sampleRate / Spectrograms::fftSize;

// Sines exactly on FFT bins, so that their peaks show their full level.
constexpr double inputFrequency = 46 * binWidth;  // about 990 Hz
constexpr double outputFrequency = 5 * binWidth;  // about 108 Hz

// Runs a signal through in blocks of an odd size, as a render does: the
// input sine (amplitude 0.5 on both channels, -6 dBFS) only in the second
// half, the output sine (amplitude 1, 0 dBFS) throughout.
Spectrograms analyse (int numSamples)
{
    Spectrograms spectrograms (sampleRate, numSamples);
    juce::AudioBuffer<float> block (2, 1000);

    for (int start = 0; start < numSamples; start += block.getNumSamples())
    {
        const auto length = juce::jmin (block.getNumSamples(), numSamples - start);

        for (int i = 0; i < length; ++i)
        {
            const auto t = start + i;
            const auto value = t >= numSamples / 2 ? 0.5f * (float) std::sin (juce::MathConstants<double>::twoPi * inputFrequency * t / sampleRate) : 0.0f;
            block.setSample (0, i, value);
            block.setSample (1, i, value);
        }

        spectrograms.addInput (block, length);

        for (int i = 0; i < length; ++i)
        {
            const auto value = (float) std::sin (juce::MathConstants<double>::twoPi * outputFrequency * (start + i) / sampleRate);
            block.setSample (0, i, value);
            block.setSample (1, i, value);
        }

        spectrograms.addOutput (block, length);
    }

    spectrograms.finish();
    return spectrograms;
}

int rowOf (const Spectrograms& spectrograms, double frequency)
{
    return (int) spectrograms.rowPosition ((float) frequency);
}

int loudestRow (const Spectrograms::Levels& levels, int column)
{
    int loudest = 0;

    for (int row = 1; row < Spectrograms::numRows; ++row)
        if (levels.get (column, row) > levels.get (column, loudest))
            loudest = row;

    return loudest;
}
} // namespace

TEST (Spectrograms, ShowEachSignalsLevelAtItsFrequencyAndTime)
{
    const auto spectrograms = analyse (4 * (int) sampleRate);
    const auto& input = spectrograms.getInput();
    const auto& output = spectrograms.getOutput();
    const auto last = input.numColumns - 1;

    ASSERT_EQ (input.numColumns, 4 * (int) sampleRate / Spectrograms::minColumnSpacing);
    EXPECT_EQ (loudestRow (input, last), rowOf (spectrograms, inputFrequency));
    EXPECT_NEAR (input.get (last, rowOf (spectrograms, inputFrequency)), -6.02f, 0.1f);
    EXPECT_LT (input.get (0, rowOf (spectrograms, inputFrequency)), -150.0f) << "the first half of the input is silent";

    for (const int column : { 0, last })
    {
        EXPECT_EQ (loudestRow (output, column), rowOf (spectrograms, outputFrequency));
        EXPECT_NEAR (output.get (column, rowOf (spectrograms, outputFrequency)), 0.0f, 0.5f);
        EXPECT_LT (output.get (column, rowOf (spectrograms, inputFrequency)), -80.0f) << "the input's sine does not leak into the output";
    }

    EXPECT_LT (input.get (last, rowOf (spectrograms, outputFrequency)), -80.0f) << "nor the output's into the input";
}

TEST (Spectrograms, AnyLengthGivesAtLeastOneAndAtMostTheCappedColumns)
{
    for (const juce::int64 length : { (juce::int64) 0, (juce::int64) 1, (juce::int64) Spectrograms::fftSize - 1,
                                      (juce::int64) Spectrograms::minColumnSpacing * 3, (juce::int64) 100000000 })
    {
        Spectrograms spectrograms (sampleRate, length);
        spectrograms.finish();
        const auto columns = spectrograms.getInput().numColumns;

        EXPECT_GE (columns, 1) << length;
        EXPECT_LE (columns, Spectrograms::maxColumns) << length;
        EXPECT_EQ (spectrograms.getInput().values.size(), (size_t) (columns * Spectrograms::numRows));
        EXPECT_EQ (spectrograms.getInput().get (columns - 1, 0), spectrograms.getOutput().get (0, 0)) << "silence throughout";
    }
}

TEST (Spectrograms, SamplesThatAreNotNumbersCountAsSilenceAndSpoilNothingElse)
{
    Spectrograms spectrograms (sampleRate, Spectrograms::fftSize);
    juce::AudioBuffer<float> block (2, Spectrograms::fftSize);

    for (int i = 0; i < block.getNumSamples(); ++i)
    {
        const auto value = i % 3 == 0 ? std::numeric_limits<float>::quiet_NaN() : (i % 3 == 1 ? std::numeric_limits<float>::infinity() : 1.0e38f);
        block.setSample (0, i, value);
        block.setSample (1, i, value);
    }

    spectrograms.addInput (block, block.getNumSamples());

    for (int i = 0; i < block.getNumSamples(); ++i)
        for (int channel = 0; channel < 2; ++channel)
            block.setSample (channel, i, (float) std::sin (juce::MathConstants<double>::twoPi * outputFrequency * i / sampleRate));

    spectrograms.addOutput (block, block.getNumSamples());
    spectrograms.finish();

    for (const auto value : spectrograms.getInput().values)
        ASSERT_TRUE (std::isfinite (value));

    EXPECT_EQ (loudestRow (spectrograms.getOutput(), 0), rowOf (spectrograms, outputFrequency));
}

TEST (SpectrogramPicture, DrawsTheLevelsInColourAndWritesAPngThatReadsBack)
{
    const auto spectrograms = analyse ((int) sampleRate);
    const SpectrogramPicture picture (spectrograms, "test");

    // The output's sine, at the bottom panel's left and right, is the
    // brightest colour; the space around the panels is a light grey.
    const auto sineY = SpectrogramPicture::height - 50 - 1 - rowOf (spectrograms, outputFrequency);
    const auto sine = picture.getPixel (120, sineY);
    EXPECT_NE (sine.getRed(), sine.getBlue()) << "a colour, not a grey";
    EXPECT_GT (sine.getBrightness(), picture.getPixel (120, sineY - 40).getBrightness());
    EXPECT_EQ (picture.getPixel (2, 2), juce::Colour (0xfffcfcfc));

    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("quilvern-picture-" + juce::Uuid().toString());
    const auto file = folder.getChildFile ("picture.png");
    ASSERT_TRUE (picture.write (file).wasOk());

    const auto image = juce::ImageFileFormat::loadFrom (file);
    ASSERT_EQ (image.getWidth(), SpectrogramPicture::width);
    ASSERT_EQ (image.getHeight(), SpectrogramPicture::height);

    for (const auto& [x, y] : { std::pair { 120, sineY }, std::pair { 2, 2 }, std::pair { 400, 300 } })
        EXPECT_EQ (image.getPixelAt (x, y).getARGB(), picture.getPixel (x, y).getARGB()) << x << ", " << y;

    // Below a file there is no folder to write into.
    EXPECT_TRUE (picture.write (file.getChildFile ("inside.png")).failed());
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 1);
    folder.deleteRecursively();
}
