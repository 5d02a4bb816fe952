#pragma once

#include "engine/PhaserState.h"
#include "engine/SimdMath.h"

// What the all-pass chain and the high-frequency feed take from the smoothed
// modulation of one sample: both coefficient sets and the feed's scale. They
// depend on nothing else that changes per sample, so they can be computed
// ahead of the audio, two or (with AVX2) four values at a time, and stay
// within a few units in the last place of the direct formulas.
class PhaserCoefficients
{
public:
    template <typename V>
    struct Values
    {
        V set1a1, set1a2, set2a1, set2a2, hfScale;
    };

    PhaserCoefficients (const PhaserState& state, const PhaserTargets& targets) noexcept;

    // Wide covers angles 2 pi p up to 0.5, narrow up to 0.0625 (rates from
    // about 40 kHz up) with shorter series.
    static bool needsWideSeries (const PhaserState& state) noexcept;

    static constexpr int slopeTerms = 14;

    // The settings' terms, as doubles or, for a loop that evaluates many
    // vectors, as vectors themselves (the loop then reads them as operands
    // instead of broadcasting them again for every vector).
    template <typename T>
    struct Terms
    {
        T angleBase, angleSlope[slopeTerms], sevenFeedbackTarget;
    };

    template <typename V>
    __attribute__ ((always_inline)) Terms<V> broadcastTerms() const noexcept;

    // The values for one vector of modulation values. The vector comes by
    // reference: clang refuses to pass an AVX vector by value from the AVX2
    // loop to a function without AVX, even one that is always inlined.
    template <bool Wide, typename V>
    __attribute__ ((always_inline)) Values<V> evaluate (const V& modulation) const noexcept
    {
        return evaluate<Wide> (terms, modulation);
    }

    template <bool Wide, typename V, typename T>
    __attribute__ ((always_inline)) static Values<V> evaluate (const Terms<T>& terms, const V& modulation) noexcept;

private:
    Terms<double> terms;
};

namespace PhaserCoefficientTerms
{
// (2^(3 m) - 1) / (7 m) for m in 0 to 1 as a polynomial in m (Chebyshev fit,
// relative error below 1e-15): the exponential shape without splitting off
// the power of two.
constexpr double shape[] = {
    0.2970630773828336,     0.3088626518046054,     0.2140872762755224,     0.11129549403819482,
    0.046286493664470955,   0.016041684952048798,   0.004765347182593231,   0.0012388170148119914,
    0.0002858352742786449,  6.0117253122034916e-05, 1.0539054990358032e-05, 2.514719953745607e-06,
    2.6940172677545652e-08, 1.2444240118526304e-07
};
} // namespace PhaserCoefficientTerms

template <typename V>
inline PhaserCoefficients::Terms<V> PhaserCoefficients::broadcastTerms() const noexcept
{
    Terms<V> v;
    v.angleBase = SimdMath::fill<V> (terms.angleBase);
    for (int k = 0; k < slopeTerms; ++k)
        v.angleSlope[k] = SimdMath::fill<V> (terms.angleSlope[k]);
    v.sevenFeedbackTarget = SimdMath::fill<V> (terms.sevenFeedbackTarget);
    return v;
}

template <bool Wide, typename V, typename T>
inline PhaserCoefficients::Values<V> PhaserCoefficients::evaluate (const Terms<T>& terms, const V& m) noexcept
{
    using SimdMath::cosSmall;
    using SimdMath::expOfNegative;
    constexpr double tiny = 1e-20;

    // The angle 2 pi p as angleBase + m * sum angleSlope[k] m^k: the shape's
    // polynomial with the frequency range and rate folded into its terms.
    const V m2 = m * m, m4 = m2 * m2, m8 = m4 * m4;
    const T* c = terms.angleSlope;
    const V low = (c[0] + c[1] * m) + m2 * (c[2] + c[3] * m) + m4 * ((c[4] + c[5] * m) + m2 * (c[6] + c[7] * m));
    const V high = (c[8] + c[9] * m) + m2 * (c[10] + c[11] * m) + m4 * (c[12] + c[13] * m);
    const V angle = terms.angleBase + m * (low + m8 * high);

    // One angle serves both sets: set 1's radius is set 2's to the eighth power.
    const V twoCos = 2.0 * cosSmall<Wide ? 7 : 4> (angle);
    const V r2 = expOfNegative<Wide ? 13 : 8> (angle) + tiny;
    const V r2Squared = r2 * r2;
    const V r4 = r2Squared * r2Squared;
    const V r1 = r4 * r4;
    const V falloff = 1.0 - m;
    return { tiny - r1 * twoCos, r1 * r1 + tiny, tiny - r2 * twoCos, r2Squared + tiny,
             terms.sevenFeedbackTarget * falloff * falloff };
}
