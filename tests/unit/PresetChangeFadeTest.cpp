#include <gmock/gmock.h>

#include <cmath>

#include "support/CoreTestSupport.h"

using namespace CoreTestSupport;
using P = QuilvernCore::ParameterIndex;

namespace
{
class RecordingApplier : public PresetApplier
{
public:
    void applyCurrentPreset() override { appliedAt.push_back (sample); }

    int sample = 0;
    std::vector<int> appliedAt;
};

// Runs one sample at a time of a constant dry signal and records the output.
struct FadeRig
{
    explicit FadeRig (float sampleRate, bool mono) : core (makeCore (sampleRate, { { P::fx, 0.0f } })), mono (mono)
    {
        core->setPlugin (&applier);
        run (20000); // let the gain glide in
        output.clear();
    }

    void run (int count)
    {
        for (int i = 0; i < count; ++i, ++applier.sample)
        {
            float left = 0.5f, right = 0.5f;
            if (mono)
                core->processMono (&left, 1);
            else
                core->processStereo (&left, &right, 1);
            output.push_back (left);
        }
    }

    int longestSilence() const
    {
        int longest = 0, run = 0;
        for (float sample : output)
            longest = std::max (longest, run = std::abs (sample) < 1e-12f ? run + 1 : 0);
        return longest;
    }

    std::unique_ptr<QuilvernCore> core;
    RecordingApplier applier;
    bool mono;
    std::vector<float> output;
};
} // namespace

TEST (PresetChangeFade, FadesOutAppliesThePresetOnceAtTheSilentPointHoldsAndFadesIn)
{
    struct Case
    {
        float sampleRate;
        bool mono;
        int silence;
    };
    for (const auto& c : { Case { 44100.0f, false, 4000 }, Case { 88200.0f, false, 8000 }, Case { 44100.0f, true, 4000 } })
    {
        SCOPED_TRACE (testing::Message() << c.sampleRate << (c.mono ? " mono" : " stereo"));
        FadeRig rig (c.sampleRate, c.mono);
        const int requestedAt = rig.applier.sample;
        rig.core->requestPresetChange();
        EXPECT_TRUE (rig.core->isFading());
        rig.run (30000);

        ASSERT_EQ (rig.applier.appliedAt.size(), 1u);
        const int silentFrom = rig.applier.appliedAt[0] - requestedAt;
        EXPECT_LT (std::abs (rig.output[(size_t) silentFrom - 1]), 0.5f * 0.0011f); // faded below 0.001 first
        EXPECT_EQ (rig.longestSilence(), c.silence);
        EXPECT_LT (std::abs (rig.output[(size_t) silentFrom]), 1e-12f);
        EXPECT_GT (std::abs (rig.output[(size_t) (silentFrom + c.silence)]), 0.0f);
        EXPECT_FALSE (rig.core->isFading());
        EXPECT_NEAR (rig.output.back(), 0.5f, 1e-6f);
    }
}

TEST (PresetChangeFade, ASecondRequestDuringTheFadeInFadesOutFromTheGainReached)
{
    FadeRig rig (44100.0f, false);
    rig.core->requestPresetChange();
    rig.run (1);
    while (rig.applier.appliedAt.empty() || std::abs (rig.output.back()) < 0.25f)
        rig.run (1);
    const float reached = rig.output.back();

    rig.output.clear();
    rig.core->requestPresetChange();
    rig.run (20000);
    EXPECT_EQ (rig.applier.appliedAt.size(), 2u);
    EXPECT_LT (rig.output.front(), reached); // no jump back to full level
    EXPECT_EQ (rig.longestSilence(), 4000);
}
