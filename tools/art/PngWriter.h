#pragma once

#include <juce_graphics/juce_graphics.h>

// Writes images as PNG files.
class PngWriter
{
public:
    static juce::Result write (const juce::Image& image, const juce::File& file);
};
