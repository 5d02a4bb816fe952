#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Draws lit shapes (LED segments, lit text, value arcs) with a soft halo:
// the shapes are painted into a layer, a blurred copy of the layer goes
// down first, then the sharp layer on top of it.
class Glow
{
public:
    using LitPainter = std::function<void (juce::Graphics&)>;

    static void draw (juce::Graphics& g, juce::Rectangle<int> area, float radius, float strength,
                      const LitPainter& paintLit);

private:
    static juce::Image blurred (const juce::Image& layer, float radius);
};
