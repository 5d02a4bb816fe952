#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// A control's frames stacked from top to bottom, frame 0 first, each the
// full image width wide and frameHeight rows high.
class FilmStrip
{
public:
    using FramePainter = std::function<void (juce::Graphics&, int frame)>;

    // Each frame is painted into its own clipped area, origin at its top-left.
    static juce::Image render (int width, int frameHeight, int frames, const FramePainter& paintFrame);

    static juce::Image getFrame (const juce::Image& strip, int frames, int frame);
};
