#pragma once

#include <juce_graphics/juce_graphics.h>

#include <png.h>

// Writes images as small PNG files: losslessly as a palette image when the
// picture has at most 256 different colours, else as RGB or RGBA, always at
// the strongest compression.
class PngWriter
{
public:
    static juce::Result write (const juce::Image& image, const juce::File& file);

    static juce::MemoryBlock encode (const juce::Image& image);

private:
    static juce::MemoryBlock encodeWithFilters (const juce::Image& image, const juce::Array<juce::PixelARGB>& palette, int filters);
    static void writeTrueColour (png_structp png, png_infop info, const juce::Image& image);
    static void writeIndexed (png_structp png, png_infop info, const juce::Image& image, const juce::Array<juce::PixelARGB>& palette);

    // Whether JUCE's decoder gives back exactly the pixels that were encoded.
    static bool decodesTo (const juce::MemoryBlock& data, const juce::Image& image);

    // The distinct colours of the image, or an empty array when there are more than 256.
    static juce::Array<juce::PixelARGB> findPalette (const juce::Image& image);
};
