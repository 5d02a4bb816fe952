#include "tools/art/AppIcon.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/PngWriter.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>
#include <cstdlib>

namespace
{
// The icon is designed on a 128-unit square, the SVG's view box.
constexpr float designSize = 128.0f;

// The tile, inset so that the icon sits among others of its size.
const juce::Rectangle<float> tile (6.0f, 6.0f, 116.0f, 116.0f);
constexpr float tileCorner = 24.0f;
constexpr float tileEdgeWidth = 1.5f;
const juce::Colour tileEdge = juce::Colours::white.withAlpha (0.1f);

// The emblem's disc, its lit lower rim one unit below it, and its two waves
// (proportioned as on the face, drawn heavier to read at 48 pixels).
const juce::Point<float> discCentre (64.0f, 64.0f);
constexpr float discRadius = 44.0f;
constexpr float rimOffset = 2.0f;
const juce::Colour rim = juce::Colours::white.withAlpha (0.08f);
const juce::Colour disc = juce::Colours::black.withAlpha (0.8f);
constexpr float waveInset = 0.235f * discRadius;
constexpr float waveAmplitude = 0.42f * discRadius;
constexpr float waveWidth = 5.0f;
constexpr int waveSteps = 96;
const juce::Colour leftWave = ArtPalette::accent;
const juce::Colour rightWave = ArtPalette::silkscreen.withAlpha (0.7f);

// How far the SVG drawn back by JUCE may stray from the PNG: anti-aliased
// edges differ by a step or two of coverage (2 at most, 0.01 on average,
// when this was written), nothing else may.
constexpr int maxChannelDifference = 8;
constexpr double maxMeanDifference = 0.1;

juce::String number (float value)
{
    return juce::String (value, 3).trimCharactersAtEnd ("0").trimCharactersAtEnd (".");
}

juce::String svgColour (juce::Colour colour)
{
    return "#" + colour.withAlpha (1.0f).toDisplayString (false).toLowerCase();
}

juce::String svgOpacity (const char* attribute, juce::Colour colour)
{
    return colour.getAlpha() == 0xff ? juce::String() : " " + juce::String (attribute) + "=\"" + number (colour.getFloatAlpha()) + "\"";
}

juce::String svgCircle (juce::Point<float> centre, float radius, juce::Colour colour)
{
    return "  <circle cx=\"" + number (centre.x) + "\" cy=\"" + number (centre.y) + "\" r=\"" + number (radius)
           + "\" fill=\"" + svgColour (colour) + "\"" + svgOpacity ("fill-opacity", colour) + "/>\n";
}

juce::String svgStroke (const juce::String& pathData, juce::Colour colour, float width)
{
    return "  <path d=\"" + pathData + "\" fill=\"none\" stroke=\"" + svgColour (colour) + "\"" + svgOpacity ("stroke-opacity", colour)
           + " stroke-width=\"" + number (width) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
}

juce::String svgTile()
{
    const auto rect = [] (juce::Rectangle<float> r, float corner)
    {
        return "x=\"" + number (r.getX()) + "\" y=\"" + number (r.getY()) + "\" width=\"" + number (r.getWidth())
               + "\" height=\"" + number (r.getHeight()) + "\" rx=\"" + number (corner) + "\"";
    };
    const auto edge = tile.reduced (tileEdgeWidth * 0.5f);

    return "  <defs>\n"
           "    <linearGradient id=\"panel\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
           + number (tile.getY()) + "\" x2=\"0\" y2=\"" + number (tile.getBottom()) + "\">\n"
           "      <stop offset=\"0\" stop-color=\"" + svgColour (ArtPalette::panelTop) + "\"/>\n"
           "      <stop offset=\"1\" stop-color=\"" + svgColour (ArtPalette::panelBottom) + "\"/>\n"
           "    </linearGradient>\n"
           "  </defs>\n"
           "  <rect " + rect (tile, tileCorner) + " fill=\"url(#panel)\"/>\n"
           "  <rect " + rect (edge, tileCorner - tileEdgeWidth * 0.5f) + " fill=\"none\" stroke=\"" + svgColour (tileEdge) + "\""
           + svgOpacity ("stroke-opacity", tileEdge) + " stroke-width=\"" + number (tileEdgeWidth) + "\"/>\n";
}
} // namespace

juce::Path AppIcon::wave (float phase)
{
    juce::Path path;
    const float left = discCentre.x - discRadius + waveInset;
    const float width = 2.0f * (discRadius - waveInset);

    for (int step = 0; step <= waveSteps; ++step)
    {
        const float t = (float) step / (float) waveSteps;
        const juce::Point<float> point (left + t * width,
                                        discCentre.y - waveAmplitude * std::sin (t * juce::MathConstants<float>::twoPi + phase));
        step == 0 ? path.startNewSubPath (point) : path.lineTo (point);
    }

    return path;
}

void AppIcon::paint (juce::Graphics& g)
{
    g.setGradientFill ({ ArtPalette::panelTop, 0.0f, tile.getY(), ArtPalette::panelBottom, 0.0f, tile.getBottom(), false });
    g.fillRoundedRectangle (tile, tileCorner);
    g.setColour (tileEdge);
    g.drawRoundedRectangle (tile.reduced (tileEdgeWidth * 0.5f), tileCorner - tileEdgeWidth * 0.5f, tileEdgeWidth);

    const auto discArea = juce::Rectangle<float> (2.0f * discRadius, 2.0f * discRadius).withCentre (discCentre);
    g.setColour (rim);
    g.fillEllipse (discArea.translated (0.0f, rimOffset));
    g.setColour (disc);
    g.fillEllipse (discArea);

    const juce::PathStrokeType stroke (waveWidth, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    g.setColour (rightWave);
    g.strokePath (wave (juce::MathConstants<float>::halfPi), stroke);
    g.setColour (leftWave);
    g.strokePath (wave (0.0f), stroke);
}

juce::Image AppIcon::render (int size)
{
    juce::Image image (juce::Image::ARGB, size, size, true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale ((float) size / designSize));
    paint (g);
    return image;
}

juce::String AppIcon::svgPathData (const juce::Path& path)
{
    juce::StringArray parts;
    juce::Path::Iterator it (path);

    while (it.next())
    {
        const auto point = [] (float x, float y) { return number (x) + " " + number (y); };

        switch (it.elementType)
        {
            case juce::Path::Iterator::startNewSubPath: parts.add ("M" + point (it.x1, it.y1)); break;
            case juce::Path::Iterator::lineTo:          parts.add ("L" + point (it.x1, it.y1)); break;
            case juce::Path::Iterator::quadraticTo:     parts.add ("Q" + point (it.x1, it.y1) + " " + point (it.x2, it.y2)); break;
            case juce::Path::Iterator::cubicTo:
                parts.add ("C" + point (it.x1, it.y1) + " " + point (it.x2, it.y2) + " " + point (it.x3, it.y3));
                break;
            case juce::Path::Iterator::closePath:       parts.add ("Z"); break;
        }
    }

    return parts.joinIntoString (" ");
}

juce::String AppIcon::toSvg()
{
    const auto size = number (designSize);

    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size + "\" height=\"" + size
           + "\" viewBox=\"0 0 " + size + " " + size + "\">\n"
           + svgTile()
           + svgCircle (discCentre.translated (0.0f, rimOffset), discRadius, rim)
           + svgCircle (discCentre, discRadius, disc)
           + svgStroke (svgPathData (wave (juce::MathConstants<float>::halfPi)), rightWave, waveWidth)
           + svgStroke (svgPathData (wave (0.0f)), leftWave, waveWidth)
           + "</svg>\n";
}

bool AppIcon::svgDrawsLike (const juce::String& svg, const juce::Image& image)
{
    const auto xml = juce::parseXML (svg);
    const auto drawable = xml != nullptr ? juce::Drawable::createFromSVG (*xml) : nullptr;

    if (drawable == nullptr)
        return false;

    juce::Image drawn (juce::Image::ARGB, image.getWidth(), image.getHeight(), true);
    {
        juce::Graphics g (drawn);
        drawable->draw (g, 1.0f, juce::AffineTransform::scale ((float) image.getWidth() / designSize));
    }

    const juce::Image::BitmapData expected (image, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData actual (drawn, juce::Image::BitmapData::readOnly);
    int worst = 0;
    double total = 0.0;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto a = expected.getPixelColour (x, y).getPixelARGB();
            const auto b = actual.getPixelColour (x, y).getPixelARGB();

            for (const int difference : { a.getAlpha() - b.getAlpha(), a.getRed() - b.getRed(),
                                          a.getGreen() - b.getGreen(), a.getBlue() - b.getBlue() })
            {
                worst = juce::jmax (worst, std::abs (difference));
                total += std::abs (difference);
            }
        }

    const double mean = total / (4.0 * image.getWidth() * image.getHeight());
    return worst <= maxChannelDifference && mean <= maxMeanDifference;
}

juce::Result AppIcon::writeAll (const juce::File& folder)
{
    if (! folder.createDirectory())
        return juce::Result::fail ("cannot create " + folder.getFullPathName());

    const auto svg = toSvg();

    for (const int size : pngSizes)
    {
        const auto image = render (size);

        if (! svgDrawsLike (svg, image))
            return juce::Result::fail ("the icon's SVG does not draw like its " + juce::String (size) + " pixel PNG");

        const auto result = PngWriter::write (image, folder.getChildFile ("quilvern-" + juce::String (size) + ".png"));

        if (result.failed())
            return result;
    }

    const auto svgFile = folder.getChildFile ("quilvern.svg");

    if (! svgFile.replaceWithText (svg, false, false, "\n"))
        return juce::Result::fail ("cannot write " + svgFile.getFullPathName());

    return juce::Result::ok();
}
