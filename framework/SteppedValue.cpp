#include "framework/SteppedValue.h"

#include <cmath>

namespace
{
// The lowest value of item k, as the float nearest to (k - 0.5) / steps.
float lowerBoundary (long long k, long long steps) noexcept
{
    return (float) ((double) (2 * k - 1) / (2.0 * (double) steps));
}
} // namespace

long long SteppedValue::nearestStep (double x, long long steps) noexcept
{
    if (steps <= 0 || ! (x > 0.0))
        return 0;

    const float value = x >= 1.0 ? 1.0f : (float) x;
    long long step = (long long) std::floor ((double) steps * (double) value + 0.5);
    step = step < 0 ? 0 : (step > steps ? steps : step);

    // floor(steps x + 0.5) is at most one item off the float boundaries.
    if (step < steps && value >= lowerBoundary (step + 1, steps))
        ++step;
    else if (step > 0 && value < lowerBoundary (step, steps))
        --step;

    return step;
}
