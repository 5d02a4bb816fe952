#pragma once

#include <juce_graphics/juce_graphics.h>

// Every image is drawn at 1x and at 2x. The painters work in units of the
// 1x image; a 2x image is the same drawing through a Graphics scaled by 2,
// so vector shapes and text come out sharp at either size. Painters that
// handle pixels themselves (blur layers, shadows, pixel pictures) ask the
// context for its scale and work at its pixel size.
class ArtScale
{
public:
    static constexpr int scales[] = { 1, 2 };

    // Device pixels per unit of the context: a whole number.
    static int of (juce::Graphics& g);

    // An empty image `scale` times the size given in units.
    static juce::Image image (juce::Image::PixelFormat format, int width, int height, int scale);

    // Scales g so that it draws in units. Nothing happens at 1x, so that
    // the 1x images are drawn exactly as they always were.
    static void apply (juce::Graphics& g, int scale);

    // Draws an image of device pixels unresampled, its top-left corner at
    // a point given in units.
    static void drawPixels (juce::Graphics& g, const juce::Image& pixels, juce::Point<int> topLeft);

    // The resource name of the image at a scale: Name.png, Name@2x.png.
    static juce::String fileName (const juce::String& name, int scale);
};
