#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstddef>

// A PNG image whose size and format are read from its header at once and
// whose pixels are decoded when something first reads or draws them: an
// editor lays its controls out from every picture's size, but at 2x it
// draws the 2x pictures and never needs the 1x pixels.
//
// The PNG's bytes must outlive the image (the embedded resources do). A PNG
// whose header cannot be read is decoded at once; one whose pixels turn out
// not to decode is transparent. Message thread only.
class DeferredPngImage
{
public:
    static juce::Image load (const char* data, size_t size);

    // Whether the image's pixels have been decoded (always, for an image
    // not made here).
    static bool isDecoded (const juce::Image& image);
};
