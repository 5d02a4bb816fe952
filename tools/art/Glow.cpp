#include "tools/art/Glow.h"

#include <cmath>

void Glow::draw (juce::Graphics& g, juce::Rectangle<int> area, float radius, float strength,
                 const LitPainter& paintLit)
{
    // The layer has room around the area so that the halo is not cut off.
    const int margin = (int) std::ceil (radius * 2.0f);
    const auto layerArea = area.expanded (margin);
    juce::Image layer (juce::Image::ARGB, layerArea.getWidth(), layerArea.getHeight(), true);

    {
        juce::Graphics lg (layer);
        lg.setOrigin (-layerArea.getPosition());
        paintLit (lg);
    }

    g.setOpacity (juce::jlimit (0.0f, 1.0f, strength));
    g.drawImageAt (blurred (layer, radius), layerArea.getX(), layerArea.getY());
    g.setOpacity (1.0f);
    g.drawImageAt (layer, layerArea.getX(), layerArea.getY());
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
