#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Draws a picture made pixel by pixel (the pixel font, the wave shapes) in
// the current colour. At 2x each pixel becomes four. A smoothed picture is
// enlarged the way Scale2x (EPX) enlarges pixel art: staircases along
// diagonals are smoothed by half a pixel, straight edges stay where they
// were, and nothing is blurred, so the picture is the same, only finer. A
// squared one (steps that must stay steps) is doubled exactly.
class PixelPicture
{
public:
    using IsSet = std::function<bool (int column, int row)>;

    enum class Corners { smoothed, squared };

    // The picture is columns x rows; isSet must answer false outside it.
    // Its top-left pixel goes at (x, y).
    static void draw (juce::Graphics& g, int columns, int rows, const IsSet& isSet, int x, int y, Corners corners);

private:
    // Whether the quarter (right, lower) of a pixel is set at 2x.
    static bool isQuarterSet (const IsSet& isSet, int column, int row, bool right, bool lower);
};
