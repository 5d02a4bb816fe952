#include "tools/art/SyncSwitchStrip.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/CastShadow.h"
#include "tools/art/Glow.h"
#include "tools/art/ReadoutWindow.h"
#include "tools/art/StripRenderer.h"

namespace
{
const char* const modeNames[SyncSwitchStrip::positions] = { "Off", "Full", "Dotted", "Triplet" };

constexpr float slotCentreY = 23.0f;
constexpr int markTop = 32;
} // namespace

juce::Image SyncSwitchStrip::render (int width, int frameHeight, int scale)
{
    return StripRenderer::render (width, frameHeight, positions, scale, [=] (juce::Graphics& g, int frame) {
        const juce::Rectangle<int> window (7, 0, width - 14, 11);
        ReadoutWindow::paintFrame (g, window);
        ReadoutWindow::paintText (g, window, modeNames[frame]);
        paintSlot (g, width, frame);
        paintLever (g, leverX (frame, width, frameHeight));
    });
}

float SyncSwitchStrip::leverX (int position, int width, int height)
{
    const int thumbRadius = juce::jmin (7, height / 2, width / 2) + 2;
    return (float) thumbRadius + (float) position * (float) (width - 2 * thumbRadius) / (float) (positions - 1);
}

void SyncSwitchStrip::paintSlot (juce::Graphics& g, int width, int position)
{
    const juce::Rectangle<float> slot (4.0f, slotCentreY - 2.5f, (float) width - 8.0f, 5.0f);
    g.setColour (juce::Colours::white.withAlpha (0.09f));
    g.fillRoundedRectangle (slot.translated (0.0f, 1.0f), 2.5f);
    g.setColour (ArtPalette::groove);
    g.fillRoundedRectangle (slot, 2.5f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (slot.reduced (1.0f, 1.0f).translated (0.0f, 0.5f), 1.5f);

    // A detent mark under each position; the current one lit.
    for (int mark = 0; mark < positions; ++mark)
    {
        const auto x = juce::roundToInt (leverX (mark, width, 42)) - 1;
        const juce::Rectangle<int> tick (x, markTop, 2, 2);

        if (mark != position)
        {
            g.setColour (ArtPalette::unlit.brighter (0.3f));
            g.fillRect (tick);
            continue;
        }

        Glow::draw (g, tick, 1.4f, 1.0f, [&] (juce::Graphics& lit) {
            lit.setColour (ArtPalette::accent);
            lit.fillRect (tick);
        });
    }
}

void SyncSwitchStrip::paintLever (juce::Graphics& g, float centreX)
{
    const juce::Rectangle<float> lever (centreX - 4.5f, slotCentreY - 7.0f, 9.0f, 14.0f);
    juce::Path body;
    body.addRoundedRectangle (lever, 2.0f);
    CastShadow::draw (g, juce::DropShadow (juce::Colours::black.withAlpha (0.8f), 3, { 1, 2 }), body);

    g.setGradientFill ({ ArtPalette::knobCapLight.brighter (0.2f), lever.getX(), lever.getY(),
                         ArtPalette::knobCapDark, lever.getX(), lever.getBottom(), false });
    g.fillPath (body);

    // Grip ridges across the lever.
    for (int ridge = 0; ridge < 3; ++ridge)
    {
        const float y = lever.getCentreY() - 3.0f + 3.0f * (float) ridge;
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillRect (lever.getX() + 2.0f, y, lever.getWidth() - 4.0f, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.18f));
        g.fillRect (lever.getX() + 2.0f, y + 1.0f, lever.getWidth() - 4.0f, 1.0f);
    }

    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.drawRoundedRectangle (lever, 2.0f, 0.7f);
}
