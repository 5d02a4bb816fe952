#include "tools/art/PanelButtonStrip.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/CastShadow.h"
#include "tools/art/Glow.h"
#include "tools/art/StripRenderer.h"

namespace
{
constexpr float cornerSize = 3.0f;
constexpr float symbolSize = 14.0f;
} // namespace

juce::Image PanelButtonStrip::render (int width, int frameHeight, juce::Rectangle<float> cap, Pictograms::Symbol symbol, int scale)
{
    return StripRenderer::render (width, frameHeight, 2, scale, [=] (juce::Graphics& g, int frame) {
        const bool pressed = frame == 1;
        const auto shown = pressed ? cap.translated (0.0f, 1.0f) : cap;
        paintCap (g, shown, pressed);
        paintSymbol (g, shown, symbol, pressed);
    });
}

void PanelButtonStrip::paintCap (juce::Graphics& g, juce::Rectangle<float> cap, bool pressed)
{
    juce::Path body;
    body.addRoundedRectangle (cap, cornerSize);

    // A deep shadow while up, almost none while pressed.
    CastShadow::draw (g, juce::DropShadow (juce::Colours::black.withAlpha (pressed ? 0.6f : 0.85f), pressed ? 2 : 4,
                                          { 0, pressed ? 1 : 3 }), body);

    const auto top = pressed ? ArtPalette::knobCapDark : ArtPalette::knobCapLight.withMultipliedBrightness (0.85f);
    const auto bottom = pressed ? ArtPalette::knobSkirtBottom.brighter (0.1f) : ArtPalette::knobCapDark.darker (0.3f);
    g.setGradientFill ({ top, cap.getX(), cap.getY(), bottom, cap.getX(), cap.getBottom(), false });
    g.fillPath (body);

    // Bevel: a light upper edge, a dark lower one.
    g.setGradientFill ({ juce::Colours::white.withAlpha (pressed ? 0.08f : 0.28f), cap.getX(), cap.getY(),
                         juce::Colours::transparentWhite, cap.getX(), cap.getY() + 6.0f, false });
    g.drawRoundedRectangle (cap.reduced (0.5f), cornerSize, 1.0f);
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawRoundedRectangle (cap, cornerSize, 0.8f);
}

void PanelButtonStrip::paintSymbol (juce::Graphics& g, juce::Rectangle<float> cap, Pictograms::Symbol symbol, bool pressed)
{
    const auto area = juce::Rectangle<float> (symbolSize, symbolSize).withCentre (cap.getCentre()).withPosition (
        std::round (cap.getCentreX() - symbolSize * 0.5f), std::round (cap.getCentreY() - symbolSize * 0.5f));

    if (! pressed)
    {
        // Engraved: a dark line under the light symbol.
        Pictograms::paint (g, symbol, area.translated (0.0f, 1.0f), juce::Colours::black.withAlpha (0.7f), juce::Colours::transparentBlack);
        Pictograms::paint (g, symbol, area, ArtPalette::silkscreen, juce::Colours::transparentBlack);
        return;
    }

    Glow::draw (g, area.getSmallestIntegerContainer(), 1.8f, 0.9f, [&] (juce::Graphics& lit) {
        Pictograms::paint (lit, symbol, area, ArtPalette::accent, juce::Colours::transparentBlack);
    });
}
