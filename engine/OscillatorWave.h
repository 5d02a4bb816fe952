#pragma once

// The six oscillator waves, evaluated at a phase in 0 to 2 pi with the
// symmetry of 0.5 the oscillators always use. Values lie in 0 to 1.
namespace OscillatorWave
{
enum Shape
{
    triangle = 0,
    square,
    sine,
    sawRising,
    sawFalling,
    random
};

constexpr double pi = 3.141592653589793;
constexpr double twoPi = 6.283185307179586;
constexpr double inversePi = 0.3183098861837907;
constexpr double symmetry = 0.5;

double evaluate (int shape, double phase, double heldRandom) noexcept;
} // namespace OscillatorWave
