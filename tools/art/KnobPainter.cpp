#include "tools/art/KnobPainter.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/CastShadow.h"
#include "tools/art/Glow.h"

namespace
{
constexpr float capProportion = 0.7f;
constexpr int ribs = 18;

juce::Rectangle<float> circle (juce::Point<float> centre, float radius)
{
    return { centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f };
}
} // namespace

float KnobPainter::angleFor (float proportion)
{
    return startAngle + (endAngle - startAngle) * juce::jlimit (0.0f, 1.0f, proportion);
}

juce::Point<float> KnobPainter::pointOnCircle (juce::Point<float> centre, float radius, float angle)
{
    return centre.getPointOnCircumference (radius, angle);
}

void KnobPainter::paintKnob (juce::Graphics& g, juce::Point<float> centre, float radius, float angle)
{
    paintShadow (g, centre, radius);
    paintSkirt (g, centre, radius, angle);
    paintCap (g, centre, radius * capProportion);
    paintPointer (g, centre, radius, angle);
}

void KnobPainter::paintShadow (juce::Graphics& g, juce::Point<float> centre, float radius)
{
    juce::Path body;
    body.addEllipse (circle (centre, radius));
    CastShadow::draw (g, juce::DropShadow (juce::Colours::black.withAlpha (0.75f), 3, { 1, 2 }), body);
}

void KnobPainter::paintSkirt (juce::Graphics& g, juce::Point<float> centre, float radius, float angle)
{
    const auto bounds = circle (centre, radius);
    g.setGradientFill ({ ArtPalette::knobSkirtTop, bounds.getX(), bounds.getY(),
                         ArtPalette::knobSkirtBottom, bounds.getX(), bounds.getBottom(), false });
    g.fillEllipse (bounds);

    // The ribs turn with the knob; light falls on the upper ones.
    for (int rib = 0; rib < ribs; ++rib)
    {
        const float ribAngle = angle + juce::MathConstants<float>::twoPi * (float) rib / (float) ribs;
        const float light = 0.5f - 0.5f * std::sin (ribAngle + juce::MathConstants<float>::halfPi);
        g.setColour (juce::Colours::white.withAlpha (0.05f + 0.16f * light));
        g.drawLine ({ pointOnCircle (centre, radius * 0.78f, ribAngle), pointOnCircle (centre, radius * 0.97f, ribAngle) }, 0.8f);
    }

    g.setGradientFill ({ juce::Colours::white.withAlpha (0.35f), bounds.getX(), bounds.getY(),
                         juce::Colours::transparentWhite, bounds.getX(), bounds.getCentreY(), false });
    g.drawEllipse (bounds.reduced (0.5f), 1.0f);
}

void KnobPainter::paintCap (juce::Graphics& g, juce::Point<float> centre, float radius)
{
    const auto bounds = circle (centre, radius);
    juce::Path cap;
    cap.addEllipse (bounds);
    CastShadow::draw (g, juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 2, { 0, 1 }), cap);

    g.setGradientFill ({ ArtPalette::knobCapLight, bounds.getX(), bounds.getY(),
                         ArtPalette::knobCapDark, bounds.getRight(), bounds.getBottom(), false });
    g.fillPath (cap);

    // A soft sheen across the top of the cap.
    g.setGradientFill ({ juce::Colours::white.withAlpha (0.22f), centre.x, bounds.getY(),
                         juce::Colours::transparentWhite, centre.x, centre.y + radius * 0.2f, false });
    g.fillEllipse (bounds.reduced (radius * 0.12f, radius * 0.05f).withTrimmedBottom (radius * 0.6f));

    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.drawEllipse (bounds, 0.6f);
}

void KnobPainter::paintPointer (juce::Graphics& g, juce::Point<float> centre, float radius, float angle)
{
    juce::Path line;
    line.startNewSubPath (pointOnCircle (centre, radius * 0.28f, angle));
    line.lineTo (pointOnCircle (centre, radius * 0.9f, angle));

    juce::Path pointer;
    juce::PathStrokeType (1.9f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded).createStrokedPath (pointer, line);

    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (pointer, juce::PathStrokeType (0.8f));
    g.setColour (ArtPalette::pointer);
    g.fillPath (pointer);
}

juce::Path KnobPainter::arc (juce::Point<float> centre, float radius, float from, float to)
{
    juce::Path path;
    path.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, from, to, true);
    return path;
}

void KnobPainter::paintValueArc (juce::Graphics& g, juce::Point<float> centre, float radius, float proportion)
{
    const juce::PathStrokeType track (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    g.setColour (ArtPalette::groove);
    g.strokePath (arc (centre, radius, startAngle, endAngle), track);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.strokePath (arc (centre, radius + 1.4f, startAngle, endAngle), juce::PathStrokeType (0.6f));

    if (proportion <= 0.0f)
        return;

    const float to = angleFor (proportion);
    const auto area = circle (centre, radius + 2.0f).getSmallestIntegerContainer();
    Glow::draw (g, area, 1.6f, 0.9f, [&] (juce::Graphics& lit) {
        lit.setColour (ArtPalette::accent);
        lit.strokePath (arc (centre, radius, startAngle, to), juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    });
}

void KnobPainter::paintStepDots (juce::Graphics& g, juce::Point<float> centre, float radius, int steps, int current)
{
    for (int step = 0; step < steps; ++step)
    {
        const auto dot = pointOnCircle (centre, radius, angleFor ((float) step / (float) juce::jmax (1, steps - 1)));

        if (step != current)
        {
            g.setColour (ArtPalette::unlit);
            g.fillEllipse (circle (dot, 0.9f));
            continue;
        }

        Glow::draw (g, circle (dot, 2.0f).getSmallestIntegerContainer(), 1.5f, 1.0f, [&] (juce::Graphics& lit) {
            lit.setColour (ArtPalette::accent);
            lit.fillEllipse (circle (dot, 1.2f));
        });
    }
}
