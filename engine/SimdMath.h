#pragma once

#include <emmintrin.h>
#include <utility>

// Two-lane (SSE2) double-precision helpers for the phaser's fast path: the
// polynomial forms of exp, exp2, cos and sin it needs, each accurate to a few
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

// Horner's rule over the coefficients Term<0> .. Term<Degree>.
template <template <int> class Term, int Degree, int... K>
inline Vec hornerSteps (Vec t, std::integer_sequence<int, K...>) noexcept
{
    Vec sum = splat (Term<Degree>::value);
    ((sum = sum * t + splat (Term<Degree - 1 - K>::value)), ...);
    return sum;
}

template <template <int> class Term, int Degree>
inline Vec horner (Vec t) noexcept
{
    return hornerSteps<Term, Degree> (t, std::make_integer_sequence<int, Degree>());
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

// Sum of t^k / k! for k = 0 .. Degree.
template <int Degree>
inline Vec expSeries (Vec t) noexcept
{
    return horner<ExpTerm, Degree> (t);
}

// exp(-x) for x in 0 to 0.5 (truncation error below 1e-15).
inline Vec expOfNegative (Vec x) noexcept { return expSeries<13> (splat (0.0) - x); }

// cos(x) for x in -0.5 to 0.5 (truncation error below 1e-18).
inline Vec cosSmall (Vec x) noexcept { return horner<CosTerm, 7> (x * x); }

// 2^y for y in about -1 to 1000: 2^trunc(y) times sqrt 2 times a series for
// the rest, centred so that its argument stays within +-0.35.
inline Vec exp2 (Vec y) noexcept
{
    const __m128i whole = _mm_cvttpd_epi32 (y);
    const Vec fraction = y - _mm_cvtepi32_pd (whole);
    const Vec series = expSeries<12> ((fraction - splat (0.5)) * splat (0.6931471805599453));
    const __m128i biased = _mm_add_epi32 (whole, _mm_set1_epi32 (1023));
    const Vec power = _mm_castsi128_pd (_mm_slli_epi64 (_mm_unpacklo_epi32 (biased, _mm_setzero_si128()), 52));
    return series * splat (1.4142135623730951) * power;
}

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

    return horner<SinTerm, 9> (r * r) * r;
}
} // namespace SimdMath
