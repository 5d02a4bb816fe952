#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Draws a control's film strip: its frames stacked from top to bottom,
// frame 0 first, each the full image width wide and frameHeight rows high.
// (The editor's FilmStrip shows such strips; the art only draws them.)
class StripRenderer
{
public:
    using FramePainter = std::function<void (juce::Graphics&, int frame)>;

    // Each frame is painted into its own clipped area, origin at its top-left,
    // in units of the 1x strip; the image is `scale` times that size.
    static juce::Image render (int width, int frameHeight, int frames, int scale, const FramePainter& paintFrame);

    static juce::Image getFrame (const juce::Image& strip, int frames, int frame);
};
