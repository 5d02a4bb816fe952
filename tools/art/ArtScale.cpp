#include "tools/art/ArtScale.h"

int ArtScale::of (juce::Graphics& g)
{
    return juce::jmax (1, juce::roundToInt (g.getInternalContext().getPhysicalPixelScaleFactor()));
}

juce::Image ArtScale::image (juce::Image::PixelFormat format, int width, int height, int scale)
{
    return { format, width * scale, height * scale, true };
}

void ArtScale::apply (juce::Graphics& g, int scale)
{
    if (scale != 1)
        g.addTransform (juce::AffineTransform::scale ((float) scale));
}

void ArtScale::drawPixels (juce::Graphics& g, const juce::Image& pixels, juce::Point<int> topLeft)
{
    const int scale = of (g);

    if (scale == 1)
    {
        g.drawImageAt (pixels, topLeft.x, topLeft.y);
        return;
    }

    // Scaled down here and up again by the context: a whole-pixel shift,
    // which JUCE blits without resampling.
    g.drawImageTransformed (pixels, juce::AffineTransform::scale (1.0f / (float) scale)
                                        .translated ((float) topLeft.x, (float) topLeft.y));
}

juce::String ArtScale::fileName (const juce::String& name, int scale)
{
    if (scale == 1)
        return name;

    const int dot = name.lastIndexOfChar ('.');
    return name.substring (0, dot) + "@" + juce::String (scale) + "x" + name.substring (dot);
}
