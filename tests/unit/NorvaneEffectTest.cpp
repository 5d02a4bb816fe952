#include <gmock/gmock.h>

#include "engine/Quilvern.h"
#include "engine/QuilvernFactory.h"

#include <cmath>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 64;
constexpr int feedback = 1;
constexpr int controller = 7;

// Records what the frame asks of the signal processor, in order:
// "S<n>" / "M<n>" for a stereo / mono run of n samples, "A<index>" for a
// parameter, "Y<clock>" for a re-phasing at a clock edge, "R" for a
// click-free preset change request.
struct RecordingCore : NorvaneEffect::Core
{
    void processStereo (float*, float*, int n) override { log.push_back ("S" + std::to_string (n)); }
    void processMono (float*, int n) override { log.push_back ("M" + std::to_string (n)); }
    void applyParameter (int index, float) override { log.push_back ("A" + std::to_string (index)); }
    void syncOscillator (int k, Clock&) override { log.push_back ("Y" + std::to_string (k)); }
    void requestPresetChange() override { log.push_back ("R"); }

    std::vector<std::string> runs() const
    {
        std::vector<std::string> result;

        for (const auto& entry : log)
            if (entry[0] == 'S' || entry[0] == 'M')
                result.push_back (entry);

        return result;
    }

    std::vector<std::string> log;
};

class RecordingQuilvern : public Quilvern
{
public:
    std::unique_ptr<Core> createCore() override
    {
        auto core = std::make_unique<RecordingCore>();
        recorder = core.get();
        return core;
    }

    RecordingCore* recorder = nullptr;
};

struct Transport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (120.0);
        info.setPpqPosition (0.0);
        info.setIsPlaying (true);
        return info;
    }
};

juce::MidiBuffer events (std::initializer_list<std::pair<juce::MidiMessage, int>> list)
{
    juce::MidiBuffer midi;

    for (const auto& [message, position] : list)
        midi.addEvent (message, position);

    return midi;
}

juce::MidiMessage controlChange (int value = 127) { return juce::MidiMessage::controllerEvent (1, controller, value); }

class NorvaneEffectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plugin.initialise();
        plugin.getMidiControl().assign (controller, plugin.getParameterManager().getParameter (feedback), false);
        plugin.prepareToPlay (sampleRate, blockSize);
        core().log.clear();
    }

    RecordingCore& core() { return *plugin.recorder; }

    std::vector<std::string> process (juce::MidiBuffer midi, int numSamples = blockSize, int channels = 2)
    {
        juce::AudioBuffer<float> buffer (channels, numSamples);
        buffer.clear();
        core().log.clear();
        plugin.processBlock (buffer, midi);
        return core().runs();
    }

    RecordingQuilvern plugin;
};

using Runs = std::vector<std::string>;
} // namespace

TEST_F (NorvaneEffectTest, SplitsBlocksAtEvents)
{
    struct Case { const char* what; juce::MidiBuffer midi; Runs expected; };
    const Case cases[] = {
        { "no events", {}, { "S64" } },
        { "controller at 10", events ({ { controlChange(), 10 } }), { "S10", "S54" } },
        { "two events at one position", events ({ { controlChange (1), 10 }, { controlChange (2), 10 } }), { "S10", "S54" } },
        { "an ignored event splits too", events ({ { juce::MidiMessage::noteOn (1, 60, 1.0f), 20 } }), { "S20", "S44" } },
        { "event at the first sample", events ({ { controlChange(), 0 } }), { "S64" } },
        { "negative position dropped", events ({ { controlChange(), -3 } }), { "S64" } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (process (c.midi), c.expected) << c.what;
}

TEST_F (NorvaneEffectTest, EventsBeyondTheBlockAreHandledInTheNextOne)
{
    const float before = plugin.getParameterManager().getNormalizedValue (feedback);
    EXPECT_EQ (process (events ({ { controlChange (0), blockSize + 5 } })), Runs { "S64" });
    EXPECT_EQ (plugin.getParameterManager().getNormalizedValue (feedback), before);

    EXPECT_EQ (process ({}), (Runs { "S5", "S59" }));
    EXPECT_EQ (plugin.getParameterManager().getNormalizedValue (feedback), 0.0f);

    // prepareToPlay drops what was carried.
    process (events ({ { controlChange(), blockSize + 5 } }));
    plugin.prepareToPlay (sampleRate, blockSize);
    EXPECT_EQ (process ({}), Runs { "S64" });
}

TEST_F (NorvaneEffectTest, ControllerReachesTheCoreBetweenTheRuns)
{
    process (events ({ { controlChange (0), 10 } }));
    EXPECT_THAT (core().log, ::testing::ElementsAre ("S10", "A1", "S54"));
}

TEST_F (NorvaneEffectTest, ProgramChangeAppliesAtOnceOrThroughTheFade)
{
    process (events ({ { juce::MidiMessage::programChange (1, 3), 10 } }));
    EXPECT_EQ (plugin.getCurrentPreset(), 3);
    EXPECT_EQ (core().log.front(), "S10");
    EXPECT_EQ (core().log.back(), "S54");
    EXPECT_EQ (std::count (core().log.begin(), core().log.end(), "A1"), 1) << "the preset's values came between the runs";
    EXPECT_FLOAT_EQ (plugin.getParameterManager().getNormalizedValue (feedback), plugin.getPreset (3)->getValue (feedback));

    plugin.setChangingType (BasePluginOldStyle::changeSilently);
    process (events ({ { juce::MidiMessage::programChange (1, 5), 10 } }));
    EXPECT_EQ (plugin.getCurrentPreset(), 5);
    EXPECT_THAT (core().log, ::testing::ElementsAre ("S10", "R", "S54"));
    EXPECT_FLOAT_EQ (plugin.getParameterManager().getNormalizedValue (feedback), plugin.getPreset (3)->getValue (feedback));
}

TEST_F (NorvaneEffectTest, MonoInputRunsChannelZeroAndClearsTheSecondOutput)
{
    plugin.setPlayConfigDetails (1, 2, sampleRate, blockSize);
    plugin.prepareToPlay (sampleRate, blockSize);
    juce::AudioBuffer<float> buffer (2, blockSize);
    buffer.clear();
    buffer.setSample (0, 3, 0.5f);
    buffer.setSample (1, 3, 0.5f);
    juce::MidiBuffer midi;
    core().log.clear();

    plugin.processBlock (buffer, midi);

    EXPECT_EQ (core().runs(), Runs { "M64" });
    EXPECT_EQ (buffer.getSample (0, 3), 0.5f);
    EXPECT_EQ (buffer.getMagnitude (1, 0, blockSize), 0.0f);
}

TEST_F (NorvaneEffectTest, ClockEdgesSplitOnlyWhileTheHostPlays)
{
    EXPECT_EQ (process ({}, 8192), Runs { "S8192" }) << "no play head";

    Transport transport;
    plugin.setPlayHead (&transport);
    const auto runs = process ({}, 8192);
    plugin.setPlayHead (nullptr);

    int total = 0;

    for (const auto& run : runs)
        total += std::stoi (run.substr (1));

    EXPECT_EQ (total, 8192);
    EXPECT_GT (runs.size(), 1u);
    EXPECT_THAT (core().log, ::testing::Contains ("Y0"));
    EXPECT_THAT (core().log, ::testing::Contains ("Y1"));
}

TEST_F (NorvaneEffectTest, StateStartsWithUniqueData)
{
    auto state = plugin.createStateXml();
    ASSERT_NE (state, nullptr);
    EXPECT_TRUE (plugin.isStateXml (*state));
    ASSERT_GT (state->getNumChildElements(), 0);
    EXPECT_EQ (state->getChildElement (0)->getTagName(), "UniqueData");
    EXPECT_EQ (state->getChildElement (0)->getNumAttributes(), 0);

    juce::MemoryBlock chunk;
    plugin.getStateInformation (chunk);
    EXPECT_EQ (juce::String ((const char*) chunk.getData(), 4), "VC2!");
    plugin.setStateInformation (chunk.getData(), (int) chunk.getSize());
}

// The product as a host runs it: whatever block sizes, sample rates and
// MIDI arrive, with or without a play head, the output stays finite.
TEST (QuilvernProcessing, AnyBlockSizeRateAndHostTransport)
{
    auto plugin = createQuilvern (juce::File());
    Transport transport;
    juce::Random random (3);

    for (const double rate : { 44100.0, 96000.0, 22050.0 })
    {
        plugin->prepareToPlay (rate, 512); // a rate change while running: no release first

        for (const int size : { 1, 7, 512, 8192 })
        {
            plugin->setPlayHead (size == 7 ? nullptr : &transport);
            juce::AudioBuffer<float> buffer (2, size);

            for (int i = 0; i < size; ++i)
                buffer.setSample (0, i, random.nextFloat() - 0.5f), buffer.setSample (1, i, random.nextFloat() - 0.5f);

            juce::MidiBuffer midi;

            for (int e = 0; e < 3; ++e)
                midi.addEvent (juce::MidiMessage::controllerEvent (1, 20 + e, 64), random.nextInt (size + 8));

            plugin->processBlock (buffer, midi);

            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < size; ++i)
                    ASSERT_TRUE (std::isfinite (buffer.getSample (channel, i))) << rate << " " << size;
        }
    }

    plugin->setPlayHead (nullptr);
    plugin->releaseResources();
    EXPECT_FALSE (plugin->isPrepared());
}

// A silent program change: the output fades, the preset is applied on the
// audio thread at the silent point (under both locks), then fades back in.
TEST (QuilvernProcessing, SilentProgramChangeAppliesAtTheSilentPoint)
{
    auto plugin = createQuilvern (juce::File());
    plugin->setChangingType (BasePluginOldStyle::changeSilently);
    plugin->prepareToPlay (sampleRate, 512);
    const float target = plugin->getPreset (5)->getValue (feedback);
    ASSERT_NE (plugin->getParameter (feedback), target);

    juce::AudioBuffer<float> buffer (2, 512);
    auto midi = events ({ { juce::MidiMessage::programChange (1, 5), 0 } });
    buffer.clear();
    plugin->processBlock (buffer, midi);
    EXPECT_EQ (plugin->getCurrentPreset(), 5);

    juce::MidiBuffer none;

    for (int block = 0; block < 40 && plugin->getParameter (feedback) != target; ++block)
        plugin->processBlock (buffer, none);

    EXPECT_FLOAT_EQ (plugin->getParameter (feedback), target);
    EXPECT_EQ (plugin->getParameterManager().getText (BasePluginOldStyle::currentPresetNameIndex), plugin->getPresetName (5));
}
