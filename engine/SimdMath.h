#pragma once

#include <emmintrin.h>
#include <utility>

// Two-lane (SSE2) double-precision helpers for the phaser's fast path: the
// polynomial forms of exp, cos and sin it needs, each accurate to a few
// units in the last place over the range stated.
namespace SimdMath
{
using Vec = __m128d;

inline Vec splat (double value) noexcept { return _mm_set1_pd (value); }

inline Vec select (Vec mask, Vec ifTrue, Vec ifFalse) noexcept
{
    return _mm_or_pd (_mm_and_pd (mask, ifTrue), _mm_andnot_pd (mask, ifFalse));
}

inline Vec abs (Vec v) noexcept { return _mm_andnot_pd (splat (-0.0), v); }

constexpr double inverseFactorial (int n)
{
    double factorial = 1.0;
    for (int i = 2; i <= n; ++i)
        factorial *= i;
    return 1.0 / factorial;
}

constexpr int largestPowerOfTwoBelow (int n)
{
    int power = 1;
    while (power * 2 < n)
        power *= 2;
    return power;
}

constexpr int log2Of (int powerOfTwo)
{
    int bits = 0;
    while (powerOfTwo > 1)
        powerOfTwo /= 2, ++bits;
    return bits;
}

// Sum of Term<First + i> t^i for i below Count by Estrin's scheme: the halves
// are evaluated independently, which keeps the dependency chain short.
// powers[i] holds t^(2^i). V is any GCC vector of doubles: two lanes (SSE2)
// or four (AVX).
template <template <int> class Term, int First, int Count, typename V>
__attribute__ ((always_inline)) inline V estrin (V t, const V* powers) noexcept
{
    if constexpr (Count == 1)
        return V {} + Term<First>::value;
    else if constexpr (Count == 2)
        return Term<First>::value + Term<First + 1>::value * t;
    else
    {
        constexpr int half = largestPowerOfTwoBelow (Count);
        return estrin<Term, First, half> (t, powers)
             + powers[log2Of (half)] * estrin<Term, First + half, Count - half> (t, powers);
    }
}

// Sum of Term<k> t^k for k = 0 .. Degree.
template <template <int> class Term, int Degree, typename V>
__attribute__ ((always_inline)) inline V polynomial (V t) noexcept
{
    V powers[4] = { t, t * t, {}, {} };
    powers[2] = powers[1] * powers[1];
    powers[3] = powers[2] * powers[2];
    return estrin<Term, 0, Degree + 1> (t, powers);
}

// Series coefficients, fixed at compile time: 1/k! (exp), (-1)^k/(2k)! (cos)
// and (-1)^k/(2k+1)! (sin).
template <int K>
struct ExpTerm
{
    static constexpr double value = inverseFactorial (K);
};
template <int K>
struct CosTerm
{
    static constexpr double value = (K % 2 == 0 ? 1.0 : -1.0) * inverseFactorial (2 * K);
};
template <int K>
struct SinTerm
{
    static constexpr double value = (K % 2 == 0 ? 1.0 : -1.0) * inverseFactorial (2 * K + 1);
};

// exp(-x) for x in 0 to 0.5 with Degree 13 (truncation error below 1e-15),
// for x in 0 to 0.0625 with Degree 8 (below 1e-16).
template <int Degree, typename V>
__attribute__ ((always_inline)) inline V expOfNegative (V x) noexcept { return polynomial<ExpTerm, Degree> (-x); }

// cos(x) for x in -0.5 to 0.5 with Degree 7 (truncation error below 1e-18),
// for x in -0.0625 to 0.0625 with Degree 4 (below 1e-18).
template <int Degree, typename V>
__attribute__ ((always_inline)) inline V cosSmall (V x) noexcept { return polynomial<CosTerm, Degree> (x * x); }

// sin(x) for x within about +-1e9: reduced to -pi/2 to pi/2, then an odd
// series to x^19 (truncation error below 3e-16).
inline Vec sin (Vec x) noexcept
{
    const Vec pi = splat (3.141592653589793);
    const Vec halfPi = splat (1.5707963267948966);
    const Vec turns = _mm_cvtepi32_pd (_mm_cvtpd_epi32 (x * splat (0.15915494309189535)));
    Vec r = x - turns * splat (6.283185307179586);
    r = select (_mm_cmpgt_pd (r, halfPi), pi - r, r);
    r = select (_mm_cmplt_pd (r, splat (0.0) - halfPi), splat (0.0) - pi - r, r);

    return polynomial<SinTerm, 9> (r * r) * r;
}
} // namespace SimdMath
