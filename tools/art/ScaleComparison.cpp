#include "tools/art/ScaleComparison.h"

#include "tools/art/ArtPreview.h"

#include <cmath>
#include <vector>

namespace
{
std::vector<float> brightness (const juce::Image& image)
{
    std::vector<float> levels ((size_t) (image.getWidth() * image.getHeight()));
    const juce::Image::BitmapData bitmap (image, juce::Image::BitmapData::readOnly);

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto colour = bitmap.getPixelColour (x, y);
            levels[(size_t) (y * image.getWidth() + x)] = 0.299f * colour.getRed() + 0.587f * colour.getGreen() + 0.114f * colour.getBlue();
        }

    return levels;
}
} // namespace

juce::Image ScaleComparison::resampled (const juce::Image& image)
{
    juce::Image big (juce::Image::RGB, image.getWidth() * 2, image.getHeight() * 2, true);
    juce::Graphics g (big);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImageTransformed (image, juce::AffineTransform::scale (2.0f));
    return big;
}

double ScaleComparison::strongEdgeDensity (const juce::Image& image)
{
    const int width = image.getWidth(), height = image.getHeight();
    const auto levels = brightness (image);
    const auto at = [&] (int x, int y) { return levels[(size_t) (y * width + x)]; };
    int strong = 0;

    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
        {
            const float gx = at (x + 1, y - 1) + 2.0f * at (x + 1, y) + at (x + 1, y + 1)
                           - at (x - 1, y - 1) - 2.0f * at (x - 1, y) - at (x - 1, y + 1);
            const float gy = at (x - 1, y + 1) + 2.0f * at (x, y + 1) + at (x + 1, y + 1)
                           - at (x - 1, y - 1) - 2.0f * at (x, y - 1) - at (x + 1, y - 1);

            // A step of d levels between two pixels gives d on both of them.
            strong += std::hypot (gx, gy) / 4.0f > strongEdge ? 1 : 0;
        }

    return (double) strong / (double) ((width - 2) * (height - 2));
}

juce::Image ScaleComparison::sideBySide (const juce::Image& face1x, const juce::Image& face2x, int part, int factor)
{
    const int width = (face2x.getWidth() + 2) / 3;
    const juce::Rectangle<int> crop (part * width, 0, width, face2x.getHeight());
    const auto top = ArtPreview::enlarged (resampled (face1x).getClippedImage (crop), factor);
    const auto bottom = ArtPreview::enlarged (face2x.getClippedImage (crop), factor);

    juce::Image both (juce::Image::RGB, top.getWidth(), top.getHeight() * 2 + 4 * factor, true);
    juce::Graphics g (both);
    g.fillAll (juce::Colours::white);
    g.drawImageAt (top, 0, 0);
    g.drawImageAt (bottom, 0, top.getHeight() + 4 * factor);
    return both;
}

juce::String ScaleComparison::edgeReport (const juce::Image& face1x, const juce::Image& face2x)
{
    const double reference = strongEdgeDensity (face1x);
    const double drawn = strongEdgeDensity (face2x) / reference;
    const double bilinear = strongEdgeDensity (resampled (face1x)) / reference;
    const double doubled = strongEdgeDensity (ArtPreview::enlarged (face1x, 2)) / reference;

    // Resampling softens the edges; doubling every pixel keeps them as hard
    // as at 1x but adds no detail: the two bounds for a 2x face made from 1x art.
    return "strong-edge density relative to the 1x face: drawn 2x " + juce::String (drawn, 2)
         + ", 1x resampled " + juce::String (bilinear, 2) + ", 1x pixel-doubled " + juce::String (doubled, 2);
}
