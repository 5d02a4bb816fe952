#include "tools/art/Glow.h"

#include "tools/art/ArtScale.h"

#include <cmath>

void Glow::draw (juce::Graphics& g, juce::Rectangle<int> area, float radius, float strength,
                 const LitPainter& paintLit)
{
    // The layer has room around the area so that the halo is not cut off.
    // It has the context's pixels, so the lit shapes stay sharp at 2x and
    // the halo, blurred over as many more pixels, looks the same.
    const int scale = ArtScale::of (g);
    const int margin = (int) std::ceil (radius * 2.0f);
    const auto layerArea = area.expanded (margin);
    auto layer = ArtScale::image (juce::Image::ARGB, layerArea.getWidth(), layerArea.getHeight(), scale);

    {
        juce::Graphics lg (layer);
        ArtScale::apply (lg, scale);
        lg.setOrigin (-layerArea.getPosition());
        paintLit (lg);
    }

    g.setOpacity (juce::jlimit (0.0f, 1.0f, strength));
    ArtScale::drawPixels (g, blurred (layer, radius * (float) scale), layerArea.getPosition());
    g.setOpacity (1.0f);
    ArtScale::drawPixels (g, layer, layerArea.getPosition());
}

juce::Image Glow::blurred (const juce::Image& layer, float radius)
{
    const int kernelSize = 2 * (int) std::ceil (radius * 1.5f) + 1;
    juce::ImageConvolutionKernel kernel (kernelSize);
    kernel.createGaussianBlur (radius);

    juce::Image result (juce::Image::ARGB, layer.getWidth(), layer.getHeight(), true);
    kernel.applyToImage (result, layer, layer.getBounds());
    return result;
}
