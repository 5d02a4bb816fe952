#pragma once

#include <juce_graphics/juce_graphics.h>

// A control bitmap holding all frames stacked vertically, frame 0 at the
// top: each frame is the image's width wide and floor(height / frames) rows
// high; rows left over by the division are never shown.
class FilmStrip
{
public:
    // The frame a value 0..1 shows: floor((frames - 1) * value + 0.5), kept
    // within the strip (NaN shows frame 0), where the float nearest to a
    // boundary between two frames shows the upper one (SteppedValue).
    // Every control picks its frame here.
    static int frameForValue (double value, int numFrames) noexcept;

    // Frame counts below 1 read as 1.
    static int frameHeight (const juce::Image& image, int numFrames) noexcept;

    // Draws the frame at (0, 0), one frame in size, from the image set the
    // context's scale wants (ImageSets).
    static void drawFrame (juce::Graphics& g, const juce::Image& image, int numFrames, int frame);
};
