#include "tools/render/RenderArguments.h"

#include <gmock/gmock.h>

namespace
{
juce::Result parse (const juce::String& commandLine, RenderOptions& options)
{
    auto arguments = juce::StringArray::fromTokens (commandLine, " ", "\"");

    for (auto& argument : arguments)
        argument = argument.unquoted();

    return RenderArguments::parse (arguments, options);
}
} // namespace

TEST (RenderArguments, ReadsAFullCommandLine)
{
    RenderOptions options;
    ASSERT_TRUE (parse ("in.wav -o out.flac --bits 16 --block-size 8192 --tempo 97.5 --set \"Feedback=0.8\" "
                        "--set \"LFO 1 Rate = 0.25\" --format FLAC --preset 12 --spectrogram pictures/out.png --list-presets",
                        options).wasOk());

    EXPECT_EQ (options.input.getFileName(), "in.wav");
    EXPECT_EQ (options.output.getFileName(), "out.flac");
    EXPECT_EQ (options.bitDepth, 16);
    EXPECT_EQ (options.blockSize, 8192);
    EXPECT_DOUBLE_EQ (options.tempo, 97.5);
    EXPECT_EQ (options.format, "flac");
    ASSERT_EQ (options.parameterSettings.size(), 2u);
    EXPECT_EQ (options.parameterSettings[1].first, "LFO 1 Rate");
    EXPECT_EQ (options.parameterSettings[1].second, "0.25");
    EXPECT_EQ (options.preset, juce::String ("12"));
    EXPECT_EQ (options.spectrogram, juce::File::getCurrentWorkingDirectory().getChildFile ("pictures/out.png"));
    EXPECT_TRUE (options.listPresets);
    EXPECT_FALSE (options.usesDemoSignal());
}

TEST (RenderArguments, DefaultsRenderTheDemo)
{
    RenderOptions options;
    ASSERT_TRUE (parse ("", options).wasOk());
    EXPECT_TRUE (options.usesDemoSignal());
    EXPECT_EQ (options.blockSize, 512);
    EXPECT_EQ (options.bitDepth, 24);
}

// --help and --version each stop the program before anything is rendered.
TEST (RenderArguments, RecognisesHelpAndVersion)
{
    struct Case
    {
        const char* commandLine;
        bool help, version;
    };

    for (const auto& c : { Case { "-h", true, false }, Case { "--help", true, false }, Case { "--version", false, true },
                           Case { "in.wav --version", false, true } })
    {
        RenderOptions options;
        ASSERT_TRUE (parse (c.commandLine, options).wasOk()) << c.commandLine;
        EXPECT_EQ (options.showHelp, c.help) << c.commandLine;
        EXPECT_EQ (options.showVersion, c.version) << c.commandLine;
    }
}

TEST (RenderArguments, RefusesBadArguments)
{
    const char* const badCommandLines[] = {
        "--block-size 0", "--block-size 8193", "--block-size 12x", "--block-size",
        "--tempo 0", "--tempo fast", "--bits 20", "--format mp3",
        "--set Feedback", "--set =0.5", "--bogus", "a.wav b.wav", "--spectrogram",
    };

    for (const auto* commandLine : badCommandLines)
    {
        RenderOptions options;
        EXPECT_TRUE (parse (commandLine, options).failed()) << commandLine;
    }
}
