#include <gmock/gmock.h>

#include "engine/QuilvernCore.h"
#include "engine/QuilvernFactory.h"
#include "framework/SteppedValue.h"
#include "support/MessagePump.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

// The product driven the way a host drives it from several threads at once:
// an audio thread, an automation thread, a state thread and the message loop.
// Under ThreadSanitizer (tools/sanitize.sh) this is the race detector's
// workload; in the normal suite it checks that nothing crashes, stalls or
// turns a sample non-finite, and that the settings that several threads
// write end up agreeing with the parameters once the threads are done.
namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;
constexpr int noteRate1 = QuilvernCore::lfo1NoteRate;

// The run lasts this long (tools/sanitize.sh asks for longer), and each
// thread does at least minimumRounds rounds however loaded the machine is.
double stressSeconds()
{
    const auto* text = std::getenv ("QUILVERN_STRESS_SECONDS");
    const double seconds = text != nullptr ? std::atof (text) : 0.0;
    return seconds > 0.0 ? seconds : 3.0;
}

constexpr int minimumRounds = 50;

// A host transport that plays, stops and changes tempo; advanced by the
// audio thread between its blocks and read by the plug-in inside them.
class Transport : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (bpm);
        info.setPpqPosition (ppq);
        info.setIsPlaying (playing);
        return info;
    }

    void advance (juce::Random& random)
    {
        if (playing)
            ppq += blockSize * bpm / (60.0 * sampleRate);

        if (random.nextInt (40) == 0)
            playing = ! playing;

        if (random.nextInt (20) == 0)
            bpm = 60.0 + 120.0 * random.nextDouble();
    }

private:
    double bpm = 120.0, ppq = 0.0;
    bool playing = true;
};

// Controllers the audio thread sends, assigned to a rate, a depth and all
// four note and sync parameters.
constexpr int controlledParameters[] = { QuilvernCore::lfo1Rate, QuilvernCore::lfo2Depth, QuilvernCore::lfo1NoteRate,
                                         QuilvernCore::lfo1Sync, QuilvernCore::lfo2NoteRate, QuilvernCore::lfo2Sync };
constexpr int firstController = 20;

class ConcurrencyStress : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto& midi = plugin->getMidiControl();

        for (int i = 0; i < (int) std::size (controlledParameters); ++i)
            midi.assign (firstController + i, plugin->getParameterManager().getParameter (controlledParameters[i]), false);

        plugin->prepareToPlay (sampleRate, blockSize);
        plugin->setPlayHead (&transport);
    }

    void TearDown() override { plugin->setPlayHead (nullptr); }

    void audioRound (juce::Random& random, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
    {
        midi.clear();

        for (int e = random.nextInt (4); --e >= 0;)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, firstController + random.nextInt ((int) std::size (controlledParameters)),
                                                               random.nextInt (128)),
                           random.nextInt (blockSize));

        if (random.nextInt (8) == 0)
            midi.addEvent (juce::MidiMessage::programChange (1, random.nextInt (Quilvern::numPresets)), random.nextInt (blockSize));

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample (channel, i, random.nextFloat() - 0.5f);

        plugin->processBlock (buffer, midi);

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                if (! std::isfinite (buffer.getSample (channel, i)))
                    nonFiniteSamples.store (true);

        transport.advance (random);
    }

    void automationRound (juce::Random& random)
    {
        auto& manager = plugin->getParameterManager();
        const int slot = random.nextInt (Quilvern::numHostParameters);
        const float value = random.nextFloat();

        if (random.nextBool())
            plugin->setParameter (slot, value);
        else
            manager.setNormalizedValue (slot, value);

        const int other = random.nextInt (Quilvern::numHostParameters);
        juce::ignoreUnused (plugin->getParameter (other), plugin->getParameterText (other),
                            manager.getText (other), manager.getText (BasePluginOldStyle::currentPresetNameIndex));
    }

    void stateRound (juce::Random& random)
    {
        juce::MemoryBlock chunk;

        switch (random.nextInt (5))
        {
            case 0:
                plugin->getStateInformation (chunk);
                plugin->setStateInformation (chunk.getData(), (int) chunk.getSize());
                break;
            case 1:
                plugin->getCurrentProgramStateInformation (chunk);
                plugin->setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
                break;
            case 2:
                plugin->changeToPreset (random.nextInt (Quilvern::numPresets));
                break;
            case 3:
                plugin->setChangingType (random.nextBool() ? BasePluginOldStyle::changeSilently
                                                           : BasePluginOldStyle::changeNormally);
                break;
            default:
                plugin->selectNextPreset();
                break;
        }
    }

    // Runs the three threads and the message loop until the time is up and
    // every thread has done its minimum of rounds.
    void runThreads()
    {
        std::atomic<bool> stop { false };
        std::atomic<int> audioRounds { 0 }, automationRounds { 0 }, stateRounds { 0 };

        std::thread audio ([&]
        {
            juce::Random random (1);
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer midi;

            while (! stop.load())
                audioRound (random, buffer, midi), ++audioRounds;
        });

        std::thread automation ([&]
        {
            juce::Random random (2);

            while (! stop.load())
                automationRound (random), ++automationRounds;
        });

        std::thread state ([&]
        {
            juce::Random random (3);

            while (! stop.load())
                stateRound (random), ++stateRounds;
        });

        const auto end = juce::Time::getMillisecondCounterHiRes() + 1000.0 * stressSeconds();

        while (juce::Time::getMillisecondCounterHiRes() < end
               || audioRounds.load() < minimumRounds || automationRounds.load() < minimumRounds
               || stateRounds.load() < minimumRounds)
            MessagePump::run (10);

        stop.store (true);
        audio.join();
        automation.join();
        state.join();
        MessagePump::run (10);
    }

    std::unique_ptr<Quilvern> plugin = createQuilvern (juce::File());
    Transport transport;
    std::atomic<bool> nonFiniteSamples { false };
};

int stepOf (float value, int steps)
{
    return (int) SteppedValue::nearestStep (value, steps);
}
} // namespace

TEST_F (ConcurrencyStress, AudioAutomationStateAndMessageThreadsTogether)
{
    runThreads();
    EXPECT_FALSE (nonFiniteSamples.load());

    // Whichever thread's change came last, the processor, the note and sync
    // settings and the clocks all hold the parameters' final values.
    auto& manager = plugin->getParameterManager();
    const auto* core = dynamic_cast<QuilvernCore*> (plugin->getCore());
    ASSERT_NE (core, nullptr);

    for (int index = 0; index < QuilvernCore::numParameters; ++index)
        EXPECT_EQ (core->getRawValue (index), manager.getNormalizedValue (index)) << index;

    const auto& sync = plugin->getSyncHandler();

    for (int k = 0; k < OscillatorSyncHandler::numOscillators; ++k)
    {
        SCOPED_TRACE (k);
        const int d = stepOf (manager.getNormalizedValue (noteRate1 + 2 * k), 10);
        const int mode = stepOf (manager.getNormalizedValue (noteRate1 + 2 * k + 1), 3);
        EXPECT_EQ (sync.getNoteIndex (k), 10 - d);
        EXPECT_EQ (sync.getSyncMode (k), mode);
        EXPECT_EQ (core->getSyncMode (k), mode);
        EXPECT_EQ (sync.getNoteMultiplier (k), std::pow (2.0, d - 7));
        EXPECT_EQ (plugin->getClock (k)->getCyclesPerBeat(), sync.getNoteMultiplier (k) * sync.getSyncMultiplier (k));
    }

    // And the state saved now reads back into the same state.
    juce::MemoryBlock saved, resaved;
    plugin->getStateInformation (saved);
    plugin->setStateInformation (saved.getData(), (int) saved.getSize());
    plugin->getStateInformation (resaved);
    EXPECT_TRUE (saved == resaved);
}
