#include "tools/art/Pictograms.h"

namespace
{
juce::Path stroked (const juce::Path& path, float width)
{
    juce::Path out;
    juce::PathStrokeType (width, juce::PathStrokeType::mitered, juce::PathStrokeType::square).createStrokedPath (out, path);
    return out;
}

juce::Path roundStroked (const juce::Path& path, float width)
{
    juce::Path out;
    juce::PathStrokeType (width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded).createStrokedPath (out, path);
    return out;
}

juce::Path line (float x1, float y1, float x2, float y2)
{
    juce::Path path;
    path.startNewSubPath (x1, y1);
    path.lineTo (x2, y2);
    return path;
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

// A sheet of paper with a folded top-right corner.
juce::Path sheet (float left, float top, float right, float bottom)
{
    return polygon ({ { left, top }, { right - 3.0f, top }, { right, top + 3.0f }, { right, bottom }, { left, bottom } });
}

juce::Path sheetWithLines (float left, float top, float right, float bottom)
{
    juce::Path path = stroked (sheet (left, top, right, bottom), 1.0f);
    path.addPath (stroked (line (right - 3.0f, top, right - 3.0f, top + 3.0f), 1.0f));

    for (float y = top + 4.5f; y < bottom - 1.5f; y += 2.0f)
        path.addRectangle (left + 2.0f, y - 0.5f, right - left - 4.0f, 1.0f);

    return path;
}

juce::Path folderBack()
{
    return polygon ({ { 1.5f, 2.5f }, { 5.5f, 2.5f }, { 6.5f, 3.5f }, { 11.5f, 3.5f }, { 11.5f, 12.5f }, { 1.5f, 12.5f } });
}

juce::Path folderFlap()
{
    return polygon ({ { 3.5f, 6.5f }, { 13.5f, 6.5f }, { 11.5f, 12.5f }, { 1.5f, 12.5f } });
}

juce::Path gearPath()
{
    juce::Path path;
    const juce::Point<float> centre (7.0f, 7.0f);
    constexpr int teeth = 7;

    for (int tooth = 0; tooth < teeth; ++tooth)
    {
        const float angle = juce::MathConstants<float>::twoPi * (float) tooth / (float) teeth;
        juce::Path t;
        t.addRectangle (-1.5f, -6.8f, 3.0f, 3.0f);
        path.addPath (t, juce::AffineTransform::rotation (angle).translated (centre));
    }

    path.addEllipse (centre.x - 4.9f, centre.y - 4.9f, 9.8f, 9.8f);
    path.setUsingNonZeroWinding (true);

    juce::Path hole;
    hole.addEllipse (centre.x - 2.0f, centre.y - 2.0f, 4.0f, 4.0f);
    path.addPath (hole);
    path.setUsingNonZeroWinding (false);
    return path;
}

juce::Path circleArrowsPath()
{
    juce::Path path;

    for (int half = 0; half < 2; ++half)
    {
        const float turn = juce::MathConstants<float>::pi * (float) half;
        juce::Path arc;
        arc.addCentredArc (7.0f, 7.0f, 4.5f, 4.5f, turn, 0.35f, 2.6f, true);
        path.addPath (stroked (arc, 1.6f));

        const auto tip = juce::Point<float> (7.0f, 7.0f).getPointOnCircumference (4.5f, turn + 2.95f);
        const auto back = juce::Point<float> (7.0f, 7.0f).getPointOnCircumference (4.5f, turn + 2.35f);
        const auto across = (tip - back).rotatedAboutOrigin (juce::MathConstants<float>::halfPi) * 0.9f;
        path.addPath (polygon ({ tip, back + across, back - across }));
    }

    return path;
}

juce::Path wasteBinPath()
{
    juce::Path path;
    path.addRectangle (1.5f, 2.0f, 11.0f, 1.5f);
    path.addPath (stroked (polygon ({ { 5.5f, 2.0f }, { 5.5f, 0.5f }, { 8.5f, 0.5f }, { 8.5f, 2.0f } }), 1.0f));
    path.addPath (stroked (polygon ({ { 2.5f, 4.5f }, { 11.5f, 4.5f }, { 10.5f, 13.5f }, { 3.5f, 13.5f } }), 1.0f));

    for (float x : { 5.5f, 7.0f, 8.5f })
        path.addRectangle (x - 0.5f, 6.0f, 1.0f, 6.0f);

    return path;
}

juce::Path scissorsPath()
{
    juce::Path path;
    juce::Path rings;
    rings.addEllipse (1.0f, 9.0f, 4.5f, 4.5f);
    rings.addEllipse (8.5f, 9.0f, 4.5f, 4.5f);
    path.addPath (stroked (rings, 1.2f));
    path.addPath (roundStroked (line (4.6f, 9.4f, 10.5f, 0.8f), 1.5f));
    path.addPath (roundStroked (line (9.4f, 9.4f, 3.5f, 0.8f), 1.5f));
    return path;
}

juce::Path floppyOutline()
{
    return polygon ({ { 1.5f, 1.5f }, { 10.5f, 1.5f }, { 12.5f, 3.5f }, { 12.5f, 12.5f }, { 1.5f, 12.5f } });
}

juce::Path floppyInk()
{
    juce::Path path;
    path.addPath (floppyOutline());
    juce::Path label;
    label.addRectangle (3.0f, 7.0f, 8.0f, 5.0f);
    path.addPath (label);
    juce::Path shutterHole;
    shutterHole.addRectangle (7.0f, 2.0f, 2.0f, 3.0f);
    path.addPath (shutterHole);
    path.setUsingNonZeroWinding (false);
    return path;
}

juce::Path listPath()
{
    juce::Path path;

    for (float y : { 3.0f, 6.5f, 10.0f })
    {
        path.addRectangle (1.5f, y, 2.0f, 2.0f);
        path.addRectangle (5.0f, y + 0.5f, 8.0f, 1.0f);
    }

    return path;
}
} // namespace

juce::Path Pictograms::inkPath (Symbol symbol)
{
    switch (symbol)
    {
        case cross:
        {
            juce::Path path = stroked (line (3.0f, 3.0f, 11.0f, 11.0f), 2.0f);
            path.addPath (stroked (line (11.0f, 3.0f, 3.0f, 11.0f), 2.0f));
            return path;
        }
        case documents:     return sheetWithLines (5.5f, 4.5f, 12.5f, 13.5f);
        case scissors:      return scissorsPath();
        case clipboard:
        {
            juce::Path path = stroked (polygon ({ { 1.5f, 2.5f }, { 10.5f, 2.5f }, { 10.5f, 4.5f }, { 5.5f, 4.5f }, { 5.5f, 12.5f }, { 1.5f, 12.5f } }), 1.0f);
            path.addRectangle (3.5f, 1.0f, 5.0f, 2.5f);
            return path;
        }
        case documentWithCross:
        {
            juce::Path path = stroked (sheet (2.5f, 0.5f, 11.5f, 13.5f), 1.0f);
            path.addPath (stroked (line (8.5f, 0.5f, 8.5f, 3.5f), 1.0f));
            path.addPath (stroked (line (5.0f, 6.0f, 9.0f, 10.0f), 1.6f));
            path.addPath (stroked (line (9.0f, 6.0f, 5.0f, 10.0f), 1.6f));
            return path;
        }
        case triangleDown:  return polygon ({ { 1.0f, 3.5f }, { 13.0f, 3.5f }, { 7.0f, 10.5f } });
        case triangleUp:    return polygon ({ { 1.0f, 10.5f }, { 13.0f, 10.5f }, { 7.0f, 3.5f } });
        case triangleLeft:  return polygon ({ { 10.5f, 1.0f }, { 10.5f, 13.0f }, { 3.5f, 7.0f } });
        case triangleRight: return polygon ({ { 3.5f, 1.0f }, { 3.5f, 13.0f }, { 10.5f, 7.0f } });
        case plus:
        {
            juce::Path path;
            path.addRectangle (6.0f, 2.0f, 2.0f, 10.0f);
            path.addRectangle (2.0f, 6.0f, 10.0f, 2.0f);
            return path;
        }
        case minus:         return [] { juce::Path p; p.addRectangle (2.0f, 6.0f, 10.0f, 2.0f); return p; }();
        case folderWithRays:
        {
            juce::Path path = stroked (folderFlap(), 1.0f);
            path.addPath (roundStroked (line (8.5f, 0.5f, 8.5f, 1.5f), 1.0f));
            path.addPath (roundStroked (line (11.5f, 0.5f, 10.5f, 2.0f), 1.0f));
            path.addPath (roundStroked (line (13.5f, 2.5f, 12.0f, 3.0f), 1.0f));
            return path;
        }
        case wasteBin:      return wasteBinPath();
        case circleArrows:  return circleArrowsPath();
        case gear:          return gearPath();
        case openFolder:    return stroked (folderFlap(), 1.0f);
        case floppyDisk:    return floppyInk();
        case list:          return listPath();
    }

    return {};
}

std::vector<Pictograms::Layer> Pictograms::layers (Symbol symbol)
{
    switch (symbol)
    {
        case documents:
            return { { sheet (1.5f, 0.5f, 8.5f, 9.5f), sheetWithLines (1.5f, 0.5f, 8.5f, 9.5f) },
                     { sheet (5.5f, 4.5f, 12.5f, 13.5f), sheetWithLines (5.5f, 4.5f, 12.5f, 13.5f) } };
        case clipboard:
            return { { {}, inkPath (clipboard) },
                     { sheet (5.5f, 5.5f, 12.5f, 13.5f), sheetWithLines (5.5f, 5.5f, 12.5f, 13.5f) } };
        case documentWithCross:
            return { { sheet (2.5f, 0.5f, 11.5f, 13.5f), inkPath (symbol) } };
        case folderWithRays:
        case openFolder:
            return { { folderBack(), stroked (folderBack(), 1.0f) }, { folderFlap(), inkPath (symbol) } };
        case floppyDisk:
            return { { [] { juce::Path p; p.addRectangle (3.0f, 7.0f, 8.0f, 5.0f); return p; }(), inkPath (symbol) } };
        default:
            return { { {}, inkPath (symbol) } };
    }
}

void Pictograms::paint (juce::Graphics& g, Symbol symbol, juce::Rectangle<float> area, juce::Colour ink, juce::Colour paper)
{
    const auto toArea = juce::AffineTransform::scale (area.getWidth() / grid, area.getHeight() / grid).translated (area.getPosition());

    for (const auto& layer : layers (symbol))
    {
        g.setColour (paper);
        g.fillPath (layer.paper, toArea);
        g.setColour (ink);
        g.fillPath (layer.ink, toArea);
    }
}
