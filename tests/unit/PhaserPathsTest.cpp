#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/Clock.h"
#include "engine/OscillatorSyncHandler.h"
#include "engine/PhaserChunkKernel.h"
#include "support/CoreTestSupport.h"

using namespace CoreTestSupport;
using P = QuilvernCore::ParameterIndex;

namespace
{
struct PathCase
{
    const char* name;
    float sampleRate;
    Settings settings;
    bool synchronised;
    bool mono;
    Settings fromFiveSeconds = {}; // applied at the first block after 5 s
};

// Runs one core the way the frame does: tempo at block start, clocks ticked
// per sample, runs split at clock edges that re-phase the oscillators.
class FrameLikeDriver
{
public:
    FrameLikeDriver (const PathCase& c, bool direct)
        : core (makeCore (c.sampleRate, c.settings, direct)), mono (c.mono), later (c.fromFiveSeconds),
          laterAt ((size_t) (5 * c.sampleRate))
    {
        if (! c.synchronised)
            return;
        synchronise = true;
        for (int k = 0; k < 2; ++k)
        {
            clocks[k].setSampleRate (c.sampleRate);
            handler.noteRateChanged (k, k == 0 ? 0.8f : 0.6f, core.get(), &clocks[k]);
            handler.syncChanged (k, k == 0 ? 0.34f : 1.0f, core.get(), &clocks[k]);
            core->applyParameter (k == 0 ? P::lfo1Sync : P::lfo2Sync, k == 0 ? 0.34f : 1.0f);
            handler.syncChanged (k, k == 0 ? 0.34f : 1.0f, core.get(), &clocks[k]);
        }
    }

    void render (std::vector<float>& left, std::vector<float>& right, int blockSize)
    {
        for (size_t start = 0; start < left.size(); start += (size_t) blockSize)
        {
            const int count = (int) std::min ((size_t) blockSize, left.size() - start);
            if (start >= laterAt && start < laterAt + (size_t) blockSize)
                for (const auto& [index, value] : later)
                    core->applyParameter (index, value);
            if (synchronise)
                startBlock (start == 0 ? 0.37 : -1.0);
            int pending = 0;
            for (int j = 0; j < count; ++j)
            {
                for (int k = 0; k < 2 && synchronise; ++k)
                    if (clocks[k].tick())
                    {
                        flush (left.data() + start + j - pending, right.data() + start + j - pending, pending);
                        if (clocks[k].isInFirstPart())
                            core->syncOscillator (k, clocks[k]);
                    }
                ++pending;
            }
            flush (left.data() + start + count - pending, right.data() + start + count - pending, pending);
        }
    }

    std::unique_ptr<QuilvernCore> core;

private:
    void startBlock (double position)
    {
        core->setTempo (126.0);
        for (auto& clock : clocks)
        {
            clock.setTempo (126.0);
            if (position >= 0.0)
                clock.start (position);
        }
    }

    void flush (float* left, float* right, int& pending)
    {
        if (pending > 0)
        {
            if (mono)
                core->processMono (left, pending);
            else
                core->processStereo (left, right, pending);
        }
        pending = 0;
    }

    bool mono;
    Settings later;
    size_t laterAt;
    bool synchronise = false;
    Clock clocks[2];
    OscillatorSyncHandler handler;
};

// Ten seconds of noise; the right channel rests in the middle long enough to
// fall idle and then comes back, the left carries a short gap.
void makeInput (float sampleRate, std::vector<float>& left, std::vector<float>& right)
{
    const int length = (int) (10 * sampleRate);
    left = noise (length, 1u, 0.5f);
    right = noise (length, 2u, 0.5f);
    for (int i = (int) (3 * sampleRate); i < (int) (6.5 * sampleRate); ++i)
        right[(size_t) i] = 0.0f;
    for (int i = (int) (8 * sampleRate); i < (int) (8.2 * sampleRate); ++i)
        left[(size_t) i] = 0.0f;
}

const PathCase pathCases[] = {
    { "Defaults", 44100.0f, {}, false, false },
    { "FourSectionsFullFeedbackTriangleStereo", 44100.0f,
      { { P::stagesNumber, 1.0f }, { P::feedback, 1.0f }, { P::lfo1Wave, 0.0f }, { P::stereoPhase, 1.0f },
        { P::lfo1Rate, 0.8f }, { P::lfo1Depth, 1.0f }, { P::lfo1Offset, 0.0f }, { P::lfo2Depth, 0.3f } },
      false, false },
    { "SineAndSquareOneSection48k", 48000.0f,
      { { P::stagesNumber, 0.0f }, { P::lfo1Wave, 0.4f }, { P::lfo2Wave, 0.2f }, { P::lfo2Rate, 0.9f },
        { P::stereoPhase, 0.3f }, { P::feedback, 0.8f }, { P::fx, 0.7f } },
      false, false },
    { "RandomAndSawFallingTwoSections88k", 88200.0f,
      { { P::stagesNumber, 0.4f }, { P::lfo1Wave, 1.0f }, { P::lfo2Wave, 0.8f }, { P::lfo1Rate, 1.0f },
        { P::lfo2Rate, 0.95f }, { P::stereoPhase, 0.7f }, { P::lfo1Depth, 0.9f }, { P::outputVolume, 0.6f } },
      false, false },
    { "SawRisingBothThreeSectionsStereo", 44100.0f,
      { { P::stagesNumber, 0.7f }, { P::lfo1Wave, 0.6f }, { P::lfo2Wave, 0.6f }, { P::lfo1Rate, 0.85f },
        { P::lfo2Rate, 0.6f }, { P::stereoPhase, 0.9f }, { P::feedback, 0.6f }, { P::lfo2Depth, 0.7f } },
      false, false },
    { "SynchronisedOffTableRate", 50000.0f,
      { { P::stagesNumber, 1.0f }, { P::lfo1Wave, 0.4f }, { P::lfo2Wave, 1.0f }, { P::stereoPhase, 0.5f },
        { P::feedback, 0.9f }, { P::fx, 1.0f } },
      true, false },
    { "MonoRandomFeedback", 96000.0f,
      { { P::stagesNumber, 0.7f }, { P::lfo1Wave, 1.0f }, { P::lfo1Rate, 0.9f }, { P::feedback, 1.0f } },
      false, true },
    // Below about 40 kHz the coefficient angles need the longer series.
    { "WideAnglesFourSections22k", 22050.0f,
      { { P::stagesNumber, 1.0f }, { P::feedback, 1.0f }, { P::lfo1Wave, 0.4f }, { P::lfo1Rate, 0.7f }, { P::lfo1Depth, 1.0f },
        { P::lfo1Offset, 0.0f }, { P::stereoPhase, 0.6f } },
      false, false },
    // Every follower moves off where it had settled; both oscillators draw random values.
    { "FollowersMoveMidwayBothRandom", 44100.0f,
      { { P::stagesNumber, 1.0f }, { P::lfo1Wave, 1.0f }, { P::lfo2Wave, 1.0f }, { P::lfo1Rate, 0.9f }, { P::lfo2Rate, 0.8f },
        { P::lfo2Depth, 0.4f }, { P::stereoPhase, 0.8f } },
      false, false,
      { { P::feedback, 0.9f }, { P::fx, 0.3f }, { P::outputVolume, 0.8f }, { P::lfo1Depth, 0.1f }, { P::lfo1Offset, 0.7f },
        { P::lfo2Rate, 0.3f }, { P::stereoPhase, 0.1f } } },
    // Sections 3 and 4 resume with the history of their last run.
    { "SectionCountGrowsMidway", 44100.0f,
      { { P::stagesNumber, 0.0f }, { P::feedback, 0.7f }, { P::lfo1Wave, 0.0f }, { P::lfo1Depth, 0.8f } },
      false, false, { { P::stagesNumber, 0.4f }, { P::stagesNumber, 1.0f } } },
};
} // namespace

TEST (PhaserPaths, FastPathFollowsTheDirectFormulasOverTenSecondsOfNoise)
{
    // The AVX2 and FMA forms run where the CPU has them; the SSE2 forms are
    // what baseline x86-64 CPUs get.
    for (const bool wideVectors : { true, false })
    for (const auto& c : pathCases)
    {
        SCOPED_TRACE (c.name);
        SCOPED_TRACE (wideVectors ? "AVX2 where available" : "SSE2");
        PhaserChunkKernel::allowAvx2 (wideVectors);
        // Else the baseline forms would go untested on this machine.
        if (! wideVectors)
            EXPECT_FALSE (PhaserChunkKernel::usesAvx2());
        std::vector<float> fastLeft, fastRight;
        makeInput (c.sampleRate, fastLeft, fastRight);
        auto directLeft = fastLeft;
        auto directRight = fastRight;

        FrameLikeDriver fast (c, false), direct (c, true);
        fast.render (fastLeft, fastRight, 512);
        direct.render (directLeft, directRight, 512);

        float worst = 0.0f;
        for (size_t i = 0; i < fastLeft.size(); ++i)
            worst = std::max ({ worst, std::abs (fastLeft[i] - directLeft[i]), std::abs (fastRight[i] - directRight[i]) });
        EXPECT_LE (worst, 1e-6f);
        EXPECT_EQ (fast.core->isChannelActive (1), direct.core->isChannelActive (1));

        for (int k = 0; k < 2; ++k)
            for (int channel = 0; channel < 2; ++channel)
                EXPECT_NEAR (fast.core->getPhase (k, channel), direct.core->getPhase (k, channel), 1e-9);
        if (std::getenv ("QUILVERN_PRINT_PATH_MARGINS") != nullptr)
            std::printf ("%s %s: largest difference %g\n", c.name, wideVectors ? "wide" : "SSE2", (double) worst);
    }
    PhaserChunkKernel::allowAvx2 (true);
}
