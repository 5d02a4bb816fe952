#pragma once

#include <juce_graphics/juce_graphics.h>

// Pictures of the oscillators' six waves (triangle, square, sine, rising
// saw, falling saw, random), one cycle each, as pixel drawings that stay
// sharp at window size.
class WaveShapes
{
public:
    static constexpr int count = 6;
    static constexpr int width = 15;
    static constexpr int height = 7;

    // Draws wave `index` with its top-left pixel at (x, y), in the current colour.
    static void draw (juce::Graphics& g, int index, int x, int y);
};
