#include "tools/art/ReadoutWindow.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/Glow.h"
#include "tools/art/PixelFont.h"

void ReadoutWindow::paintFrame (juce::Graphics& g, juce::Rectangle<int> area)
{
    const auto outer = area.toFloat();

    // Bevel: shadow on the upper edge, a faint highlight below.
    g.setColour (juce::Colours::white.withAlpha (0.10f));
    g.fillRoundedRectangle (outer.translated (0.0f, 1.0f), 1.5f);
    g.setColour (juce::Colours::black.withAlpha (0.85f));
    g.fillRoundedRectangle (outer, 1.5f);
    g.setColour (ArtPalette::displayBackground);
    g.fillRect (area.reduced (1));

    // Glass: the top rows slightly shaded.
    g.setColour (juce::Colours::black.withAlpha (0.25f));
    g.fillRect (area.reduced (1).removeFromTop (1));
}

void ReadoutWindow::paintText (juce::Graphics& g, juce::Rectangle<int> area, const juce::String& text)
{
    const auto inner = area.reduced (1);
    const int top = inner.getY() + (inner.getHeight() - 7) / 2;

    paintLit (g, area, [&] (juce::Graphics& lit) {
        PixelFont::drawCentred (lit, text, (float) inner.getX() + (float) inner.getWidth() * 0.5f, top);
    });
}

void ReadoutWindow::paintLit (juce::Graphics& g, juce::Rectangle<int> area, const std::function<void (juce::Graphics&)>& paintContent)
{
    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (area.reduced (1));

    Glow::draw (g, area, 1.2f, 0.55f, [&] (juce::Graphics& lit) {
        lit.setColour (ArtPalette::displayText);
        paintContent (lit);
    });
}
