#pragma once

#include <cstdint>

// The random wave's source: a two-word xor/add generator. Every phase set
// starts from the same seed, so left and right draw identical sequences.
struct RandomGenerator
{
    std::uint32_t x1 = 0;
    std::uint32_t x2 = 0;

    void seed() noexcept
    {
        x1 = 0x67452301u;
        x2 = 0xEFCDAB89u;
    }

    // The next value in -1 to 1.
    double next() noexcept
    {
        const std::uint32_t old = x2;
        x1 ^= x2;
        x2 = x1 + old;
        return (double) (std::int32_t) old * 4.656612874161595e-10;
    }
};
