#include "tools/art/IndicatorStrips.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/Glow.h"
#include "tools/art/StripRenderer.h"

juce::Colour IndicatorStrips::segmentColour (int segment, int segments)
{
    if (segment >= segments - 1)
        return ArtPalette::red;

    if (segment >= segments - 3)
        return ArtPalette::amber;

    return ArtPalette::accent;
}

juce::Image IndicatorStrips::levelMeter (int width, int frameHeight, int frames, juce::Rectangle<int> column, int scale)
{
    const int segments = frames - 1;
    const int pitch = column.getHeight() / segments;

    return StripRenderer::render (width, frameHeight, frames, scale, [=] (juce::Graphics& g, int frame) {
        for (int segment = 0; segment < segments; ++segment)
        {
            const juce::Rectangle<int> area (column.getX(), column.getBottom() - (segment + 1) * pitch,
                                             column.getWidth(), pitch - 1);
            paintSegment (g, area, segmentColour (segment, segments), segment < frame);
        }
    });
}

void IndicatorStrips::paintSegment (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour, bool lit)
{
    if (! lit)
    {
        g.setColour (colour.withMultipliedBrightness (0.22f).withMultipliedSaturation (0.6f));
        g.fillRect (area);
        g.setColour (juce::Colours::white.withAlpha (0.05f));
        g.fillRect (area.removeFromTop (1));
        return;
    }

    Glow::draw (g, area, 2.0f, 0.8f, [&] (juce::Graphics& layer) {
        layer.setColour (colour);
        layer.fillRect (area);
        layer.setColour (juce::Colours::white.withAlpha (0.45f));
        layer.fillRect (area.reduced (2, 1).removeFromTop (1));
    });
}

juce::Image IndicatorStrips::oscillatorLight (int width, int frameHeight, int frames, int scale)
{
    const juce::Rectangle<float> slot (1.0f, (float) frameHeight * 0.5f - 3.0f, (float) width - 2.0f, 6.0f);
    const float travelStart = slot.getX() + 3.5f;
    const float travel = slot.getWidth() - 7.0f;

    return StripRenderer::render (width, frameHeight, frames, scale, [=] (juce::Graphics& g, int frame) {
        g.setColour (juce::Colours::white.withAlpha (0.09f));
        g.fillRoundedRectangle (slot.translated (0.0f, 1.0f), 3.0f);
        g.setColour (juce::Colours::black);
        g.fillRoundedRectangle (slot, 3.0f);
        g.setColour (ArtPalette::accentDim.withAlpha (0.6f));
        g.fillRoundedRectangle (slot.reduced (2.0f, 2.5f), 0.5f);

        const float x = travelStart + travel * (float) frame / (float) juce::jmax (1, frames - 1);
        const juce::Rectangle<float> dot (x - 2.5f, slot.getCentreY() - 2.0f, 5.0f, 4.0f);
        Glow::draw (g, dot.getSmallestIntegerContainer(), 2.2f, 1.0f, [&] (juce::Graphics& lit) {
            lit.setColour (ArtPalette::accent);
            lit.fillRoundedRectangle (dot, 1.8f);
            lit.setColour (ArtPalette::displayText);
            lit.fillEllipse (dot.reduced (1.5f, 1.2f));
        });
    });
}
