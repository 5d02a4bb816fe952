#pragma once

#include <juce_graphics/juce_graphics.h>

// The pseudo-modal windows' pictures: the title bar's icon and the four
// shadow strips drawn along one side of a window.
class WindowImages
{
public:
    enum class Side { top, bottom, left, right };

    static juce::Image titleIcon (int scale);

    // 40 x 10 for top and bottom, 10 x 40 for left and right (times the
    // scale): black, darkest (alpha A8) on the window's outer edge of that
    // side, fading to alpha 0B across the strip.
    static juce::Image shadow (Side side, int scale);

    static juce::uint8 shadowAlpha (int step, int steps);
};
