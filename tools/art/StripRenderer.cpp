#include "tools/art/StripRenderer.h"

#include "tools/art/ArtScale.h"

juce::Image StripRenderer::render (int width, int frameHeight, int frames, int scale, const FramePainter& paintFrame)
{
    auto strip = ArtScale::image (juce::Image::ARGB, width, frameHeight * frames, scale);
    juce::Graphics g (strip);
    ArtScale::apply (g, scale);

    for (int frame = 0; frame < frames; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, frame * frameHeight, width, frameHeight);
        g.setOrigin (0, frame * frameHeight);
        paintFrame (g, frame);
    }

    return strip;
}

juce::Image StripRenderer::getFrame (const juce::Image& strip, int frames, int frame)
{
    const int frameHeight = strip.getHeight() / juce::jmax (1, frames);
    return strip.getClippedImage ({ 0, frame * frameHeight, strip.getWidth(), frameHeight });
}
