#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "engine/Clock.h"
#include "engine/OscillatorSyncHandler.h"
#include "engine/RandomGenerator.h"
#include "support/CoreTestSupport.h"

using namespace CoreTestSupport;
using P = QuilvernCore::ParameterIndex;

TEST (Oscillator, RandomWaveHoldsEachDrawForAWholeCycleAndChangesOnlyAtWraps)
{
    RandomGenerator generator;
    generator.seed();
    EXPECT_DOUBLE_EQ (generator.next(), -271733879 * 4.656612874161595e-10);  // 0xEFCDAB89
    EXPECT_DOUBLE_EQ (generator.next(), 2018915345 * 4.656612874161595e-10);  // 0x78563411

    for (const bool direct : { false, true })
    {
        SCOPED_TRACE (direct ? "direct" : "fast");
        auto core = makeCore (44100.0f, { { P::lfo1Wave, 1.0f }, { P::lfo1Rate, 1.0f } }, direct);
        RandomGenerator expected;
        expected.seed();
        float held = 0.5f; // nothing drawn before the first wrap
        int wraps = 0;
        std::vector<float> left = noise (44100, 5u), right = left;
        for (size_t i = 0; i < left.size(); ++i)
        {
            const double before = core->getPhase (0, 0);
            core->processStereo (&left[i], &right[i], 1);
            float value, unused;
            core->getPublishedOscillators (value, unused);
            if (core->getPhase (0, 0) < before)
            {
                ++wraps;
                held = (float) ((expected.next() + 1.0) / 2.0);
            }
            ASSERT_EQ (value, held) << i;
        }
        EXPECT_GE (wraps, 19); // 20 Hz for one second, with the rate gliding in
    }
}

TEST (Oscillator, SynchronisedFrequencyFollowsTempoNoteAndSyncMode)
{
    struct Case
    {
        float sync;
        double hertz, cyclesPerBeat;
    };
    for (const auto& c : { Case { 0.34f, 2.0, 1.0 }, Case { 0.67f, 1.33332, 0.66666 }, Case { 1.0f, 3.0, 1.5 }, Case { 0.0f, 0.5, 1.0 } })
    {
        SCOPED_TRACE (c.sync);
        auto core = makeCore (44100.0f);
        OscillatorSyncHandler handler;
        Clock clock;
        core->setTempo (120.0);
        core->applyParameter (P::lfo1NoteRate, 0.7f);
        handler.noteRateChanged (0, 0.7f, core.get(), &clock); // "1/4"
        core->applyParameter (P::lfo1Sync, c.sync);
        EXPECT_TRUE (handler.syncChanged (0, c.sync, core.get(), &clock));
        EXPECT_EQ (handler.getNoteIndex (0), 3);
        EXPECT_NEAR (core->getFrequency (0), c.hertz, 1e-9);
        EXPECT_NEAR (clock.getCyclesPerBeat(), c.cyclesPerBeat, 1e-12);
    }
}

TEST (Oscillator, UnusableTempoLeavesTheSynchronisedFrequencyAlone)
{
    auto core = makeCore (44100.0f);
    OscillatorSyncHandler handler;
    core->applyParameter (P::lfo1Sync, 0.34f);
    handler.noteRateChanged (0, 0.7f, core.get(), nullptr);
    handler.syncChanged (0, 0.34f, core.get(), nullptr);
    EXPECT_NEAR (core->getFrequency (0), 0.5, 1e-9) << "no tempo yet: the free rate stays";

    core->setTempo (120.0);
    for (const double tempo : { 0.0, -60.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        core->setTempo (tempo);
        EXPECT_NEAR (core->getFrequency (0), 2.0, 1e-9) << tempo;
    }
    core->setTempo (90.0);
    EXPECT_NEAR (core->getFrequency (0), 1.5, 1e-9);

    std::vector<float> left = noise (4410, 1u), right = left;
    processInBlocks (*core, left, right);
    for (float sample : left)
        ASSERT_TRUE (std::isfinite (sample));
}

TEST (Oscillator, SyncingBothOscillatorsRestartsAllPhasesAtZero)
{
    auto core = makeCore (44100.0f, { { P::lfo1Sync, 0.34f } });
    OscillatorSyncHandler handler;
    core->setTempo (120.0);
    handler.syncChanged (0, 0.34f, core.get(), nullptr);
    std::vector<float> left = noise (1000, 2u), right = left;
    processInBlocks (*core, left, right);
    ASSERT_GT (core->getPhase (1, 0), 0.0);

    core->applyParameter (P::lfo2Sync, 1.0f);
    handler.syncChanged (1, 1.0f, core.get(), nullptr);
    float l = 0.1f, r = 0.1f;
    core->processStereo (&l, &r, 1);
    // One sample after the restart each phase holds one increment.
    EXPECT_LT (core->getPhase (0, 0), 0.01);
    EXPECT_LT (core->getPhase (1, 1), 0.01);

    EXPECT_EQ (handler.getSyncMode (1), 3);
    EXPECT_TRUE (handler.syncChanged (1, 1.0f, core.get(), nullptr)) << "the host display is refreshed even without a change";
}

// "1/16" (note index 1) as the first note rate an instance ever gets: a
// synchronised oscillator runs at four cycles per beat, not at 0 Hz.
TEST (Oscillator, TheFirstNoteRateTakesEffectWhateverItIs)
{
    auto core = makeCore (44100.0f);
    OscillatorSyncHandler handler;
    Clock clock;
    core->setTempo (60.0);
    core->applyParameter (P::lfo1Sync, 0.34f);
    handler.syncChanged (0, 0.34f, core.get(), &clock); // "Full"
    handler.noteRateChanged (0, 0.9f, core.get(), &clock); // "1/16"

    EXPECT_EQ (handler.getNoteIndex (0), 1);
    EXPECT_EQ (handler.getNoteMultiplier (0), 4.0);
    EXPECT_EQ (clock.getCyclesPerBeat(), 4.0);
    EXPECT_NEAR (core->getFrequency (0), 4.0, 1e-9);
}
