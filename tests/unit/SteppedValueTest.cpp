#include <gmock/gmock.h>

#include "framework/SteppedValue.h"

#include <juce_core/juce_core.h>

#include <cmath>
#include <limits>

namespace
{
// The float a host sends for the boundary below item k, (k - 0.5) / steps.
float boundaryFloat (long long k, long long steps)
{
    return (float) ((2.0 * (double) k - 1.0) / (2.0 * (double) steps));
}

constexpr long long stepCounts[] = { 1, 2, 3, 5, 10, 11, 19, 127, 1000, 65535 };
} // namespace

TEST (SteppedValue, BoundaryFloatsPickTheItemAboveThemAndTheFloatBelowKeepsTheItemUnder)
{
    for (const auto steps : stepCounts)
    {
        SCOPED_TRACE ("steps " + std::to_string (steps));

        for (long long k = 1; k <= steps; ++k)
        {
            const auto boundary = boundaryFloat (k, steps);
            ASSERT_EQ (SteppedValue::nearestStep (boundary, steps), k) << "at " << boundary;
            ASSERT_EQ (SteppedValue::nearestStep (std::nextafter (boundary, 0.0f), steps), k - 1) << "below " << boundary;
            ASSERT_EQ (SteppedValue::nearestStep ((float) ((double) k / (double) steps), steps), k) << "middle of item " << k;
        }
    }
}

TEST (SteppedValue, ValuesOffTheBoundariesKeepTheNearestItem)
{
    juce::Random random (16);

    for (const auto steps : stepCounts)
    {
        for (int i = 0; i < 20000; ++i)
        {
            const float x = random.nextFloat();
            const auto nearest = (long long) std::floor ((double) steps * x + 0.5);
            const auto step = SteppedValue::nearestStep (x, steps);

            if (step != nearest)
                ASSERT_TRUE (step == nearest + 1 && x == boundaryFloat (step, steps))
                    << "steps " << steps << " x " << x << " gives " << step << " instead of " << nearest;
        }
    }
}

TEST (SteppedValue, LimitsItsInput)
{
    const struct
    {
        double x;
        long long steps, expected;
    } cases[] = {
        { std::numeric_limits<double>::quiet_NaN(), 5, 0 },
        { -1.0, 5, 0 },
        { 0.0, 5, 0 },
        { 1.0, 5, 5 },
        { 7.0, 5, 5 },
        { std::numeric_limits<double>::infinity(), 3, 3 },
        { 0.5, 0, 0 },
        { 0.5, -4, 0 },
        { 0.5, (1 << 24) - 1, 1 << 23 },
        { 1.0, 4294967295LL, 4294967295LL }, // the widest range of a 32-bit integer parameter
    };

    for (const auto& c : cases)
        EXPECT_EQ (SteppedValue::nearestStep (c.x, c.steps), c.expected) << "x " << c.x << " steps " << c.steps;
}
