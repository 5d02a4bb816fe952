#pragma once

#include "engine/OscillatorWave.h"
#include "engine/SimdMath.h"

// OscillatorWave::evaluate for both channels at once, with the same arithmetic.
namespace OscillatorWave
{
// Inlined: a call would make the compiler spill every live register around it.
__attribute__ ((always_inline)) inline SimdMath::Vec evaluateWave (int shape, SimdMath::Vec at, SimdMath::Vec held)
{
    using namespace SimdMath;
    const Vec half = splat (0.5);
    switch (shape)
    {
        case square:
            return _mm_and_pd (_mm_cmplt_pd (at, splat (twoPi * symmetry)), splat (1.0));
        case sine:
            return (SimdMath::sin (at) + splat (1.0)) * half;
        case sawRising:
            return ((at * splat (inversePi) - splat (1.0)) + splat (1.0)) * half;
        case sawFalling:
            return (((splat (twoPi) - at) * splat (inversePi) - splat (1.0)) + splat (1.0)) * half;
        case OscillatorWave::random:
            return (held + splat (1.0)) * half;
        case triangle:
        default:
        {
            const double s = symmetry;
            const Vec falling = ((((splat (pi * s) - at) + splat (pi)) * splat (s)) * splat (inversePi) + splat (0.25)) * splat (2.0);
            const Vec rising = (((at - splat (pi * s)) * splat (1.0 - s)) * splat (inversePi) + splat (0.25)) * splat (2.0);
            return select (_mm_cmpge_pd (at, splat (twoPi * s)), falling, rising);
        }
    }
}
} // namespace OscillatorWave
