#include "engine/QuilvernFactory.h"
#include "tools/render/HostParameters.h"
#include "tools/render/OutputFile.h"
#include "tools/render/RenderJob.h"
#include "tools/render/SpectrogramPicture.h"

#include <gmock/gmock.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int numSamples = 5000; // not a multiple of the block size
constexpr int blockSize = 256;
constexpr double tempo = 100.0;

// A host transport of the test's own, playing from the start.
struct PlayingTransport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (tempo);
        info.setTimeInSamples (position);
        info.setPpqPosition ((double) position / sampleRate * tempo / 60.0);
        info.setIsPlaying (true);
        return info;
    }

    juce::int64 position = 0;
};

juce::AudioBuffer<float> testSignal()
{
    juce::AudioBuffer<float> signal (2, numSamples);
    juce::Random random (7);

    for (int i = 0; i < numSamples; ++i)
    {
        signal.setSample (0, i, 0.4f * (float) std::sin (i * 0.031) + 0.1f * (random.nextFloat() - 0.5f));
        signal.setSample (1, i, 0.3f * (float) std::sin (i * 0.017) + 0.1f * (random.nextFloat() - 0.5f));
    }

    return signal;
}

void writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& signal)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (file.createOutputStream().release(), sampleRate, 2, 32, {}, 0));
    ASSERT_NE (writer, nullptr);
    ASSERT_TRUE (writer->writeFromAudioSampleBuffer (signal, 0, signal.getNumSamples()));
}

juce::AudioBuffer<float> readAudio (const juce::File& file)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

    if (reader == nullptr)
        return {};

    juce::AudioBuffer<float> audio ((int) reader->numChannels, (int) reader->lengthInSamples);
    reader->read (&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

// The same signal through a fresh processor, called directly block by block.
juce::AudioBuffer<float> processDirectly (const juce::AudioBuffer<float>& input, const juce::StringPairArray& settings)
{
    // As a host gets it, but without the settings file beside the test program.
    std::unique_ptr<juce::AudioProcessor> processor = createQuilvern (juce::File());

    for (int index = 0; index < processor->getNumParameters(); ++index)
        if (settings.containsKey (processor->getParameterName (index)))
            processor->setParameter (index, settings[processor->getParameterName (index)].getFloatValue());

    PlayingTransport transport;
    processor->setPlayHead (&transport);
    processor->setPlayConfigDetails (2, 2, sampleRate, blockSize);
    processor->setNonRealtime (true);
    processor->prepareToPlay (sampleRate, blockSize);

    const auto tail = (int) std::ceil (juce::jlimit (0.0, RenderLoop::maxTailSeconds, processor->getTailLengthSeconds()) * sampleRate);
    juce::AudioBuffer<float> output (2, input.getNumSamples() + tail);
    output.clear();
    output.copyFrom (0, 0, input, 0, 0, input.getNumSamples());
    output.copyFrom (1, 0, input, 1, 0, input.getNumSamples());
    juce::MidiBuffer midi;

    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        const auto length = juce::jmin (blockSize, output.getNumSamples() - start);
        juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, start, length);
        processor->processBlock (block, midi);
        transport.position += length;
    }

    processor->releaseResources();
    processor->setPlayHead (nullptr);
    return output;
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

class RenderJobTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::Array<juce::File> filesInFolder() const
    {
        return folder.findChildFiles (juce::File::findFiles, false, "*"); // hidden files too
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-render-test-" + juce::Uuid().toString());
};
} // namespace

TEST_F (RenderJobTest, RendersAFileAsTheProcessorDoesDirectly)
{
    const auto input = testSignal();
    writeFloatWav (folder.getChildFile ("in.wav"), input);

    RenderOptions options;
    options.input = folder.getChildFile ("in.wav");
    options.output = folder.getChildFile ("out.wav");
    options.bitDepth = 32;
    options.blockSize = blockSize;
    options.tempo = tempo;
    options.spectrogram = folder.getChildFile ("out.png"); // looks on, changes nothing

    // Parameters the processor has are set on both sides.
    juce::StringPairArray settings;
    settings.set ("Feedback", "0.8");
    settings.set ("LFO 1 Rate", "0.25");

    std::unique_ptr<juce::AudioProcessor> probe = createQuilvern (juce::File());

    for (const auto& name : settings.getAllKeys())
        if (HostParameters (*probe).find (name) >= 0)
            options.parameterSettings.emplace_back (name, settings[name]);

    RenderJob configured (options);
    const auto result = configured.render();
    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();

    const auto rendered = readAudio (options.output);
    const auto expected = processDirectly (input, settings);

    ASSERT_EQ (rendered.getNumChannels(), 2);
    ASSERT_EQ (rendered.getNumSamples(), expected.getNumSamples());

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < expected.getNumSamples(); ++i)
            ASSERT_NEAR (rendered.getSample (channel, i), expected.getSample (channel, i), 1.0e-6f)
                << "channel " << channel << " sample " << i;

    EXPECT_EQ (configured.getReport().numSamples, expected.getNumSamples());
    EXPECT_EQ (juce::ImageFileFormat::loadFrom (*options.spectrogram).getWidth(), SpectrogramPicture::width);
    EXPECT_TRUE (configured.getReport().toText().contains ("Picture: " + options.spectrogram->getFullPathName()));
    EXPECT_EQ (filesInFolder().size(), 3) << "only the input, the output and the picture";
}

TEST_F (RenderJobTest, FailuresLeaveNoOutputBehind)
{
    writeFloatWav (folder.getChildFile ("in.wav"), testSignal());

    struct Case { const char* what; RenderOptions options; };
    std::vector<Case> cases (6);
    cases[0].what = "missing input";
    cases[0].options.input = folder.getChildFile ("missing.wav");
    cases[1].what = "unreadable input";
    cases[1].options.input = folder.getChildFile ("text.wav");
    folder.getChildFile ("text.wav").replaceWithText ("not audio");
    cases[2].what = "unknown parameter";
    cases[2].options.input = folder.getChildFile ("in.wav");
    cases[2].options.parameterSettings.emplace_back ("No Such Parameter", "0.5");
    cases[3].what = "unknown preset";
    cases[3].options.input = folder.getChildFile ("in.wav");
    cases[3].options.preset = juce::String ("No Such Preset");
    cases[4].what = "picture in place of the output";
    cases[4].options.input = folder.getChildFile ("in.wav");
    cases[4].options.spectrogram = folder.getChildFile ("out.wav");
    cases[5].what = "picture in place of a folder";
    cases[5].options.input = folder.getChildFile ("in.wav");
    cases[5].options.spectrogram = folder.getChildFile ("pictures");
    folder.getChildFile ("pictures").createDirectory();

    for (auto& testCase : cases)
    {
        testCase.options.output = folder.getChildFile ("out.wav");

        if (! testCase.options.spectrogram)
            testCase.options.spectrogram = folder.getChildFile ("out.png");

        RenderJob job (testCase.options);
        const auto result = job.render();
        EXPECT_TRUE (result.failed()) << testCase.what;
        EXPECT_THAT (result.getErrorMessage().toStdString(), ::testing::Not (::testing::IsEmpty())) << testCase.what;
        EXPECT_FALSE (folder.getChildFile ("out.wav").exists()) << testCase.what;
        EXPECT_FALSE (folder.getChildFile ("out.png").exists()) << testCase.what;
    }

    EXPECT_EQ (filesInFolder().size(), 2) << "only in.wav and text.wav";
}

TEST_F (RenderJobTest, AnAbandonedOutputFileDisappears)
{
    const auto target = folder.getChildFile ("out.flac");
    juce::String error;

    {
        auto output = OutputFile::create (target, "flac", 24, sampleRate, error);
        ASSERT_NE (output, nullptr) << error;
        ASSERT_TRUE (output->write (testSignal(), numSamples));
        EXPECT_EQ (filesInFolder().size(), 1) << "the temporary file";
    }

    EXPECT_TRUE (filesInFolder().isEmpty());
}
