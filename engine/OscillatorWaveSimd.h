#pragma once

#include "engine/OscillatorWave.h"
#include "engine/SimdMath.h"

// OscillatorWave::evaluate for several lanes at once (both channels, or with
// AVX2 both oscillators too). The phase lies in 0 to 2 pi; each wave is
// written in its shortest form for the symmetry of 0.5, equal to the general
// one to within rounding.
namespace OscillatorWave
{
// Inlined: a call would make the compiler spill every live register around it.
template <typename V>
__attribute__ ((always_inline)) inline V evaluateWave (int shape, const V& at, const V& held)
{
    using namespace SimdMath;
    switch (shape)
    {
        case square:
            return masked (at < pi, fill<V> (1.0));
        case sine:
            return (sinOfPhase (at) + 1.0) * 0.5;
        case sawRising:
            return at * (0.5 * inversePi);
        case sawFalling:
            return 1.0 - at * (0.5 * inversePi);
        case OscillatorWave::random:
            return (held + 1.0) * 0.5;
        case triangle:
        default:
            // P / pi rising over the first half, 2 - P / pi falling over the second.
            return 1.0 - SimdMath::magnitude (at - pi) * inversePi;
    }
}
} // namespace OscillatorWave
