#pragma once

#include <emmintrin.h>
#include <utility>

// Double-precision vector helpers for the phaser's fast path: two lanes
// (SSE2) or, in code compiled for AVX2, four; and the polynomial forms of
// exp, cos and sin it needs, each accurate to a few units in the last place
// over the range stated.
namespace SimdMath
{
using Vec = __m128d;
// Plain vector types for templates (Vec carries an attribute that template
// arguments drop).
typedef double Pair __attribute__ ((vector_size (16)));
typedef double Quad __attribute__ ((vector_size (32)));

inline Vec splat (double value) noexcept { return _mm_set1_pd (value); }

inline Vec select (Vec mask, Vec ifTrue, Vec ifFalse) noexcept
{
    return _mm_or_pd (_mm_and_pd (mask, ifTrue), _mm_andnot_pd (mask, ifFalse));
}

inline Vec abs (Vec v) noexcept { return _mm_andnot_pd (splat (-0.0), v); }

// The same for any GCC vector of doubles, written with the vector extension's
// operators only, so that each use compiles for the instruction set of the
// function it is inlined into. A comparison gives a Mask: all bits set or
// clear in each lane.
template <typename V>
using Mask = decltype (V {} < V {});

template <typename V>
__attribute__ ((always_inline)) inline V fill (double value) noexcept
{
    return value - V {}; // keeps the sign of -0.0
}

template <typename V>
__attribute__ ((always_inline)) inline V masked (const Mask<V>& mask, const V& v) noexcept
{
    return (V) (mask & (Mask<V>) v);
}

// a < b ? a : b and a > b ? a : b, so b where either is not a number.
template <typename V>
__attribute__ ((always_inline)) inline V minimum (const V& a, const V& b) noexcept
{
    if constexpr (sizeof (V) == sizeof (Vec))
        return (V) _mm_min_pd ((Vec) a, (Vec) b);
    else
        return a < b ? a : b;
}

template <typename V>
__attribute__ ((always_inline)) inline V maximum (const V& a, const V& b) noexcept
{
    if constexpr (sizeof (V) == sizeof (Vec))
        return (V) _mm_max_pd ((Vec) a, (Vec) b);
    else
        return a > b ? a : b;
}

template <typename V>
__attribute__ ((always_inline)) inline V magnitude (const V& v) noexcept
{
    return (V) ((Mask<V>) v & ~(Mask<V>) fill<V> (-0.0));
}

template <typename V>
__attribute__ ((always_inline)) inline V withSignOf (const V& positive, const V& sign) noexcept
{
    return (V) ((Mask<V>) positive | ((Mask<V>) sign & (Mask<V>) fill<V> (-0.0)));
}

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
__attribute__ ((always_inline)) inline V estrin (const V& t, const V* powers) noexcept
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
__attribute__ ((always_inline)) inline V polynomial (const V& t) noexcept
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
__attribute__ ((always_inline)) inline V expOfNegative (const V& x) noexcept { return polynomial<ExpTerm, Degree> (-x); }

// cos(x) for x in -0.5 to 0.5 with Degree 7 (truncation error below 1e-18),
// for x in -0.0625 to 0.0625 with Degree 4 (below 1e-18).
template <int Degree, typename V>
__attribute__ ((always_inline)) inline V cosSmall (const V& x) noexcept { return polynomial<CosTerm, Degree> (x * x); }

// sin(t) / t as a polynomial in t^2 for t in 0 to pi/2 (Chebyshev
// interpolation; times t it stays within 4.5e-16 of sin t).
constexpr double sinOverT[] = { 0.9999999999999999,     -0.16666666666666072,  0.008333333333282756,
                                -0.00019841269824861897, 2.7557316609073673e-06, -2.505188194671259e-08,
                                1.6048168318165643e-10,  -7.374387503862757e-13 };
template <int K>
struct SinOverTTerm
{
    static constexpr double value = sinOverT[K];
};

// sin(p) for p in 0 to 2 pi: sin p = sin r with r = pi - p in -pi to pi,
// and sin |r| = sin t with t = min(|r|, pi - |r|) in 0 to pi/2; r gives the sign.
template <typename V>
__attribute__ ((always_inline)) inline V sinOfPhase (const V& p) noexcept
{
    constexpr double pi = 3.141592653589793;
    const V r = pi - p;
    const V distance = magnitude (r);
    const V t = minimum (distance, pi - distance);
    return withSignOf (polynomial<SinOverTTerm, 7> (t * t) * t, r);
}
} // namespace SimdMath
