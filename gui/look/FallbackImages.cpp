#include "gui/look/FallbackImages.h"

#include "gui/look/EmbeddedImages.h"

void FallbackImages::drawCheckBox (juce::Graphics& g, juce::Rectangle<float> area, bool ticked)
{
    const auto box = area.reduced (0.5f);
    g.setColour (juce::Colours::white);
    g.fillRoundedRectangle (box, 3.0f);
    g.setColour (juce::Colour (0xFF7C7C7C));
    g.drawRoundedRectangle (box, 3.0f, 1.0f);

    if (! ticked)
        return;

    juce::Path tick;
    tick.startNewSubPath (area.getRelativePoint (0.22f, 0.5f));
    tick.lineTo (area.getRelativePoint (0.42f, 0.72f));
    tick.lineTo (area.getRelativePoint (0.78f, 0.24f));
    g.setColour (juce::Colour (0xFF202020));
    g.strokePath (tick, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void FallbackImages::drawRadioButton (juce::Graphics& g, juce::Rectangle<float> area, bool selected)
{
    const auto circle = area.withSizeKeepingCentre (area.getHeight(), area.getHeight()).reduced (0.5f);
    g.setColour (juce::Colours::white);
    g.fillEllipse (circle);
    g.setColour (juce::Colour (0xFF7C7C7C));
    g.drawEllipse (circle, 1.0f);

    if (selected)
    {
        g.setColour (juce::Colour (0xFF202020));
        g.fillEllipse (circle.reduced (circle.getWidth() * 0.28f));
    }
}

void FallbackImages::drawImageButton (juce::Graphics& g, juce::Rectangle<float> area, int kind, bool pressed)
{
    const float shadow = pressed ? 1.0f : 2.5f;
    const auto face = area.withTrimmedRight (2.5f).withTrimmedBottom (2.5f).translated (2.5f - shadow, 2.5f - shadow);
    const float corner = area.getWidth() * 0.15f;

    g.setColour (juce::Colours::black.withAlpha (0.3f));
    g.fillRoundedRectangle (face.translated (shadow, shadow), corner);
    g.setColour (juce::Colour (0xFFD6D6D6));
    g.fillRoundedRectangle (face, corner);
    g.setColour (juce::Colour (0xFF8A8A8A));
    g.drawRoundedRectangle (face.reduced (0.5f), corner, 1.0f);

    const auto inner = face.reduced (face.getWidth() * 0.28f);
    g.setColour (juce::Colours::black);

    if (auto pictogram = makePictogram (kind, inner); ! pictogram.isEmpty())
        g.fillPath (pictogram);
    else
        g.drawText (juce::String (kind), face, juce::Justification::centred, false);
}

juce::Path FallbackImages::makePictogram (int kind, juce::Rectangle<float> r)
{
    juce::Path p;
    const float t = r.getWidth() * 0.18f;

    switch (kind)
    {
        case 0:
            p.addLineSegment ({ r.getTopLeft(), r.getBottomRight() }, t);
            p.addLineSegment ({ r.getTopRight(), r.getBottomLeft() }, t);
            break;
        case 5: p.addTriangle (r.getTopLeft(), r.getTopRight(), { r.getCentreX(), r.getBottom() }); break;
        case 6: p.addTriangle (r.getBottomLeft(), r.getBottomRight(), { r.getCentreX(), r.getY() }); break;
        case 7: p.addTriangle (r.getTopRight(), r.getBottomRight(), { r.getX(), r.getCentreY() }); break;
        case 8: p.addTriangle (r.getTopLeft(), r.getBottomLeft(), { r.getRight(), r.getCentreY() }); break;
        case 9:
            p.addRectangle (r.withSizeKeepingCentre (r.getWidth(), t));
            p.addRectangle (r.withSizeKeepingCentre (t, r.getHeight()));
            break;
        case 10: p.addRectangle (r.withSizeKeepingCentre (r.getWidth(), t)); break;
        default: break;
    }

    return p;
}

void FallbackImages::drawTitleIcon (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto circle = area.reduced (2.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFFFF6A5A), circle.getCentreX(), circle.getY(),
                                             juce::Colour (0xFFB01A10), circle.getCentreX(), circle.getBottom(), false));
    g.fillEllipse (circle);
    g.setColour (juce::Colour (0xFF6A0C06));
    g.drawEllipse (circle, 1.0f);
}

void FallbackImages::drawShadow (juce::Graphics& g, juce::Rectangle<float> area, int side)
{
    // Darkest at the window's edge, fading towards its inside.
    const auto dark = juce::Colour (0xA8000000);
    const auto light = juce::Colour (0x0B000000);
    juce::Point<float> from, to;

    switch (side)
    {
        case EmbeddedImages::shadowTop: from = area.getTopLeft(); to = area.getBottomLeft(); break;
        case EmbeddedImages::shadowBottom: from = area.getBottomLeft(); to = area.getTopLeft(); break;
        case EmbeddedImages::shadowLeft: from = area.getTopLeft(); to = area.getTopRight(); break;
        case EmbeddedImages::shadowRight: from = area.getTopRight(); to = area.getTopLeft(); break;
        default: return;
    }

    g.setGradientFill (juce::ColourGradient (dark, from, light, to, false));
    g.fillRect (area);
}
