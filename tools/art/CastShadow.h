#pragma once

#include <juce_graphics/juce_graphics.h>

// A shape's soft shadow, as juce::DropShadow casts it, at the context's
// pixel size: at 2x the shadow is blurred over twice the pixels and offset
// twice as far, so it looks the same as at 1x instead of a 1x shadow
// blown up.
class CastShadow
{
public:
    static void draw (juce::Graphics& g, const juce::DropShadow& shadow, const juce::Path& shape);
};
