#include "tools/art/BrowserIcons.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"

namespace
{
juce::Colour inkFor (bool selected)
{
    return selected ? juce::Colour (0xff10181b) : ArtPalette::widgetDark;
}

juce::Path polygon (std::initializer_list<juce::Point<float>> points)
{
    juce::Path path;
    bool first = true;

    for (auto point : points)
    {
        if (first)
            path.startNewSubPath (point);
        else
            path.lineTo (point);

        first = false;
    }

    path.closeSubPath();
    return path;
}
} // namespace

juce::Image BrowserIcons::group (bool selected, int scale)
{
    auto icon = ArtScale::image (juce::Image::ARGB, size, size, scale);
    juce::Graphics g (icon);
    ArtScale::apply (g, scale);

    const auto back = polygon ({ { 1.5f, 2.5f }, { 6.0f, 2.5f }, { 7.5f, 4.0f }, { 14.5f, 4.0f }, { 14.5f, 13.5f }, { 1.5f, 13.5f } });
    const auto front = polygon ({ { 1.5f, 6.5f }, { 14.5f, 6.5f }, { 14.5f, 13.5f }, { 1.5f, 13.5f } });

    const auto light = selected ? ArtPalette::displayText : juce::Colour (0xffdde3ea);
    const auto dark = selected ? ArtPalette::accent : juce::Colour (0xff9aa4b0);

    g.setColour (dark);
    g.fillPath (back);
    g.setGradientFill ({ light, 0.0f, 6.5f, dark, 0.0f, 13.5f, false });
    g.fillPath (front);
    g.setColour (inkFor (selected));
    g.strokePath (back, juce::PathStrokeType (1.0f));
    g.strokePath (front, juce::PathStrokeType (1.0f));
    return icon;
}

juce::Image BrowserIcons::preset (bool selected, int scale)
{
    auto icon = ArtScale::image (juce::Image::ARGB, size, size, scale);
    juce::Graphics g (icon);
    ArtScale::apply (g, scale);

    // Two quavers under one beam, their heads tilted like engraved notes.
    juce::Path notes;
    juce::Path head;
    head.addEllipse (-2.6f, -1.8f, 5.2f, 3.6f);
    notes.addPath (head, juce::AffineTransform::rotation (-0.45f).translated (4.0f, 12.7f));
    notes.addPath (head, juce::AffineTransform::rotation (-0.45f).translated (12.0f, 11.2f));
    notes.addRectangle (5.5f, 2.5f, 1.4f, 10.0f);
    notes.addRectangle (13.5f, 1.0f, 1.4f, 10.0f);
    notes.addPath (polygon ({ { 5.5f, 2.5f }, { 14.9f, 1.0f }, { 14.9f, 3.8f }, { 5.5f, 5.3f } }));

    if (selected)
    {
        // A dark rim keeps the light notes apart from the highlight.
        g.setColour (inkFor (true).withAlpha (0.8f));
        g.strokePath (notes, juce::PathStrokeType (1.4f));
        g.setColour (ArtPalette::displayText);
    }
    else
    {
        g.setColour (ArtPalette::widgetDark.darker (0.4f));
    }

    g.fillPath (notes);
    return icon;
}
