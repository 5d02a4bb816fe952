#pragma once

// Which of steps + 1 evenly spaced items (0..steps) a normalised value picks:
// the item nearest to steps x, halves going up, so that item k covers
// [(k - 0.5) / steps, (k + 0.5) / steps). Every integer reading of a
// normalised value goes through here: stepped engine settings, their texts,
// the integer parameter kinds and the editor's film-strip frames.
//
// Hosts send normalised values as 32-bit floats, and the float nearest to a
// boundary may lie just below it (0.7f is 0.69999998...), where plain
// floor(steps x + 0.5) would give the lower item although the value written
// was the boundary itself. So x is taken as a float and compared with each
// boundary rounded to a float as well: the float nearest to a boundary picks
// the item above it, every other value keeps the item of floor(steps x + 0.5).
// This holds for fewer than 2^24 steps; with more, a float cannot tell the
// boundaries apart and the result is within one item of floor(steps x + 0.5).
class SteppedValue
{
public:
    // x is limited to 0..1 (NaN gives 0); the result is 0..steps, and 0 when
    // steps is 0 or less. Allocates nothing and takes no lock.
    static long long nearestStep (double x, long long steps) noexcept;
};
