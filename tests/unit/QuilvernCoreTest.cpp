#include <gmock/gmock.h>

#include <cmath>
#include <complex>
#include <limits>

#include "support/CoreTestSupport.h"

using namespace CoreTestSupport;
using P = QuilvernCore::ParameterIndex;

namespace
{
constexpr double pi = 3.141592653589793;

// Notch of the input plus one all-pass section run twice per input sample on
// the held input, for a section centred at f0, from the section's z-transform.
// The heavy damping of coefficient set 1 puts it near 2 kHz, about nine times
// as far from 2 kHz as f0 moves, which makes it a fine probe of f0.
double modelNotch (double f0, double sampleRate)
{
    const double p = f0 / (2.0 * sampleRate);
    const double r = std::exp (-16.0 * pi * p), c = std::cos (2.0 * pi * p);
    const double a1 = -2.0 * r * c, a2 = r * r;
    auto allPass = [&] (double omega) {
        const auto z1 = std::polar (1.0, -omega);
        return (a2 + a1 * z1 + z1 * z1) / (1.0 + a1 * z1 + a2 * z1 * z1);
    };
    double best = 0.0, bestLevel = 1e9;
    for (double f = 1000.0; f < 4000.0; f += 0.05)
    {
        const double half = pi * f / sampleRate; // the input frequency at twice the rate
        const auto held = std::polar (1.0, -half);
        const auto response = std::polar (1.0, half) * (0.5 * (1.0 + held) * allPass (half) - 0.5 * (1.0 - held) * allPass (half + pi));
        if (std::abs (1.0 + response) < bestLevel)
            bestLevel = std::abs (1.0 + response), best = f;
    }
    return best;
}

double steadyLevel (double frequency)
{
    auto core = makeCore (44100.0f, { { P::stagesNumber, 0.0f }, { P::lfo1Depth, 0.0f }, { P::lfo2Depth, 0.0f },
                                      { P::lfo1Offset, 0.5f }, { P::feedback, 0.0f }, { P::fx, 1.0f } });
    std::vector<float> left (30000), right (30000);
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = right[i] = (float) std::sin (2.0 * pi * frequency * (double) i / 44100.0);
    processInBlocks (*core, left, right);
    double sum = 0.0;
    for (size_t i = left.size() - 8820; i < left.size(); ++i)
        sum += (double) left[i] * left[i];
    return sum;
}
} // namespace

TEST (QuilvernCore, OneSectionAtOffsetHalfNotchesWhereASectionCentredAt238_74HzDoes)
{
    const double expected = modelNotch (238.74, 44100.0);
    ASSERT_GT (std::abs (modelNotch (241.0, 44100.0) - expected), 15.0); // the notch tells the centre apart

    double best = 0.0, bestLevel = 1e9;
    for (double f = expected - 20.0; f <= expected + 20.0; f += 0.5)
        if (const double level = steadyLevel (f); level < bestLevel)
            bestLevel = level, best = f;
    EXPECT_NEAR (best, expected, 1.0); // about 0.1 Hz of centre frequency
}

TEST (QuilvernCore, DryMixPassesTheInputTimesGainAndWetMixHasNoDrySignal)
{
    struct Case
    {
        float fx, volume;
        double expectedRatio;
    };
    for (const auto& c : { Case { 0.0f, 0.5f, 1.0 }, Case { 0.0f, 1.0f, 4.0 }, Case { 0.0f, 0.25f, 0.25 }, Case { 1.0f, 0.5f, 0.0 } })
    {
        SCOPED_TRACE (testing::Message() << "FX " << c.fx << ", volume " << c.volume);
        auto core = makeCore (44100.0f, { { P::fx, c.fx }, { P::outputVolume, c.volume }, { P::feedback, 1.0f } });
        // A constant input: the wet path starts with a 50 Hz high-pass, so only dry signal can pass it.
        std::vector<float> left (88200, 0.25f), right (88200, -0.25f);
        processInBlocks (*core, left, right);
        EXPECT_NEAR (left.back(), 0.25 * c.expectedRatio, 1e-5);
        EXPECT_NEAR (right.back(), -0.25 * c.expectedRatio, 1e-5);
    }
}

TEST (QuilvernCore, ChannelFallsIdleAfterFullScaleOutputAndWakesOnTheNextNonZeroSample)
{
    auto core = makeCore (44100.0f, { { P::fx, 0.0f } });
    std::vector<float> left = noise (44100, 7u, 0.01f), right = left;
    processInBlocks (*core, left, right);

    std::vector<float> spike (120000, 0.0f), silentRight (120000, 0.0f);
    spike[0] = 1.0f;
    silentRight[0] = 1.0f;
    int idleAt = -1;
    double phaseWhenIdle = 0.0;
    for (int i = 0; i < (int) spike.size(); ++i)
    {
        core->processStereo (&spike[(size_t) i], &silentRight[(size_t) i], 1);
        if (idleAt < 0 && ! core->isChannelActive (0))
            idleAt = i, phaseWhenIdle = core->getPhase (0, 0);
    }
    EXPECT_NEAR (idleAt, 108197, 200); // ln(2e-5) / ln(0.9999) samples
    EXPECT_FALSE (core->isChannelActive (1));
    EXPECT_EQ (core->getPhase (0, 0), phaseWhenIdle);
    for (size_t i = (size_t) idleAt + 1; i < spike.size(); ++i)
        ASSERT_EQ (spike[i], 0.0f);

    float wake[2] = { 0.0f, 0.5f }, quiet[2] = { 0.0f, 0.0f };
    core->processStereo (wake, quiet, 1);
    EXPECT_FALSE (core->isChannelActive (0)) << "zeros never wake a channel";
    EXPECT_EQ (core->getPhase (0, 0), phaseWhenIdle);
    core->processStereo (wake + 1, quiet + 1, 1);
    EXPECT_TRUE (core->isChannelActive (0));
    EXPECT_GT (core->getPhase (0, 0), phaseWhenIdle);
    EXPECT_NEAR (wake[1], 0.5f, 1e-6); // processed: the dry mix passes it
}

TEST (QuilvernCore, PublishesMetersFromTheTableAndOscillatorValues)
{
    QuilvernCore core;
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (200), 0.0);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (100), 0.8);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (300), 0.8);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (0), 1.0);
    EXPECT_NEAR (core.getMeterTableEntry (399), 0.9992, 1e-4);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (194), 0.0); // a = 0.06, about -24 dB
    EXPECT_GT (core.getMeterTableEntry (193), 0.0);

    auto loud = makeCore (44100.0f, { { P::fx, 0.0f } });
    std::vector<float> left (44100, 0.9f), right (44100, 0.0f);
    processInBlocks (*loud, left, right);
    float meterLeft = -1.0f, meterRight = -1.0f, osc1 = -1.0f, osc2 = -1.0f;
    loud->getPublishedMeters (meterLeft, meterRight);
    loud->getPublishedOscillators (osc1, osc2);
    EXPECT_NEAR (meterLeft, loud->getMeterTableEntry (290), 0.01);
    EXPECT_GE (meterRight, 0.0f);
    EXPECT_LT (meterRight, 0.01f);
    EXPECT_GE (osc1, 0.0f);
    EXPECT_LE (osc1, 1.0f);
    EXPECT_GE (osc2, 0.0f);
}

TEST (QuilvernCore, EverySampleRateGetsAPositiveFrequencyFactor)
{
    struct Case
    {
        double rate, low, high;
    };
    for (const auto& c : { Case { 44100.0, 1.0, 1.0 }, Case { 48000.0, 1.034, 1.034 }, Case { 88200.0, 1.0625, 1.0625 },
                           Case { 96000.0, 1.0681, 1.0681 }, Case { 192000.0, 1.1363, 1.1363 }, Case { 44100.7, 1.0, 1.0 },
                           Case { 8000.0, 1.0, 1.0 }, Case { 22050.0, 1.0, 1.0 }, Case { 64000.0, 1.034, 1.0625 },
                           Case { 176400.0, 1.0681, 1.1363 }, Case { 384000.0, 1.1363, 1.1363 } })
    {
        SCOPED_TRACE (c.rate);
        const double factor = QuilvernCore::sampleRateFactor (c.rate);
        EXPECT_GE (factor, c.low);
        EXPECT_LE (factor, c.high);
    }

    QuilvernCore fresh;
    EXPECT_EQ (fresh.getSampleRateFactor(), 1.0);
    fresh.prepare (50000.0f);
    EXPECT_GT (fresh.getSampleRateFactor(), 1.034);
}

TEST (QuilvernCore, NonFiniteInputCountsAsSilenceAndNeverReachesTheOutput)
{
    const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity() };
    for (const bool direct : { false, true })
    {
        SCOPED_TRACE (direct ? "direct" : "fast");
        auto poisoned = makeCore (44100.0f, { { P::feedback, 1.0f } }, direct);
        auto clean = makeCore (44100.0f, { { P::feedback, 1.0f } }, direct);
        std::vector<float> left = noise (8192, 3u), right = noise (8192, 4u);
        std::vector<float> badLeft = left, badRight = right;
        for (size_t i = 1000; i < 1010; ++i)
        {
            badLeft[i] = bad[i % 3];
            badRight[i + 3000] = bad[(i + 1) % 3];
            left[i] = right[i + 3000] = 0.0f;
        }
        processInBlocks (*poisoned, badLeft, badRight);
        processInBlocks (*clean, left, right);
        EXPECT_EQ (badLeft, left);
        EXPECT_EQ (badRight, right);
    }

    // An idle channel passes nothing through either.
    auto idle = makeCore (44100.0f);
    std::vector<float> zeros (200000, 0.0f), others (200000, 0.0f);
    processInBlocks (*idle, zeros, others);
    ASSERT_FALSE (idle->isChannelActive (0));
    float nan[1] = { std::numeric_limits<float>::quiet_NaN() }, zero[1] = { 0.0f };
    idle->processStereo (nan, zero, 1);
    EXPECT_EQ (nan[0], 0.0f);
}

TEST (QuilvernCore, HugeFiniteInputGivesFiniteOutputAtExtremeSettings)
{
    const QuilvernCore::ParameterIndex extremes[] = { P::stagesNumber, P::feedback, P::stereoPhase, P::lfo1Rate, P::lfo1Depth,
                                                      P::lfo1Offset, P::lfo2Rate, P::lfo2Depth, P::fx, P::outputVolume };
    for (const float setting : { 0.0f, 1.0f })
        for (const bool direct : { false, true })
        {
            auto core = makeCore (44100.0f, {}, direct);
            for (const auto index : extremes)
                core->applyParameter (index, setting);
            core->applyParameter (P::outputVolume, 1.0f);
            std::vector<float> left = noise (44100, 9u, std::numeric_limits<float>::max());
            std::vector<float> right (left.size(), std::numeric_limits<float>::max());
            processInBlocks (*core, left, right);
            for (size_t i = 0; i < left.size(); ++i)
                ASSERT_TRUE (std::isfinite (left[i]) && std::isfinite (right[i])) << i;
        }
}

TEST (QuilvernCore, OutOfRangeParameterValuesAreClampedOrDropped)
{
    QuilvernCore core;
    core.applyParameter (P::stagesNumber, 7.0f);
    EXPECT_EQ (core.getSectionCount(), 4);
    core.applyParameter (P::stagesNumber, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (core.getSectionCount(), 4);
    core.applyParameter (P::lfo1Wave, -3.0f);
    EXPECT_EQ (core.getWave (0), 0);
    core.applyParameter (99, 0.5f);
    EXPECT_EQ (core.getRawValue (99), 0.0f);
}
