#include "engine/OscillatorWave.h"

#include <cmath>

namespace OscillatorWave
{
double evaluate (int shape, double phase, double heldRandom) noexcept
{
    const double s = symmetry;
    switch (shape)
    {
        case square:
            return phase < twoPi * s ? 1.0 : 0.0;
        case sine:
            return (std::sin (phase) + 1.0) * 0.5;
        case sawRising:
            return ((phase * inversePi - 1.0) + 1.0) * 0.5;
        case sawFalling:
            return (((twoPi - phase) * inversePi - 1.0) + 1.0) * 0.5;
        case random:
            return (heldRandom + 1.0) * 0.5;
        case triangle:
        default:
            if (phase >= twoPi * s)
                return ((((pi * s - phase) + pi) * s) * inversePi + 0.25) * 2.0;
            return (((phase - pi * s) * (1.0 - s)) * inversePi + 0.25) * 2.0;
    }
}
} // namespace OscillatorWave
