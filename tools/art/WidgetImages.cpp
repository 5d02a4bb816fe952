#include "tools/art/WidgetImages.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"
#include "tools/art/CastShadow.h"
#include "tools/art/Pictograms.h"

namespace
{
constexpr int middleWidth = 4;
constexpr int shadowDepth = 2;

juce::Image blank (int width, int height, int scale)
{
    return ArtScale::image (juce::Image::ARGB, width, height, scale);
}

// A white well with a grey outline and a shaded upper inner edge.
void paintWell (juce::Graphics& g, const juce::Path& shape, juce::Rectangle<float> bounds)
{
    g.setColour (juce::Colours::white.withAlpha (0.7f));
    g.fillPath (shape, juce::AffineTransform::translation (0.0f, 1.0f));
    g.setGradientFill ({ juce::Colour (0xffdedede), 0.0f, bounds.getY(), juce::Colours::white, 0.0f, bounds.getY() + 5.0f, false });
    g.fillPath (shape);
    g.setColour (ArtPalette::widgetOutline);
    g.strokePath (shape, juce::PathStrokeType (1.0f));
}
} // namespace

juce::Image WidgetImages::checkBox (bool ticked, int scale)
{
    auto image = blank (15, 14, scale);
    juce::Graphics g (image);
    ArtScale::apply (g, scale);
    const juce::Rectangle<float> box (1.5f, 0.5f, 12.0f, 12.0f);
    juce::Path shape;
    shape.addRoundedRectangle (box, 2.0f);
    paintWell (g, shape, box);

    if (ticked)
    {
        juce::Path tick;
        tick.startNewSubPath (4.0f, 6.5f);
        tick.lineTo (6.5f, 9.2f);
        tick.lineTo (11.2f, 3.2f);
        g.setColour (ArtPalette::pictogram);
        g.strokePath (tick, juce::PathStrokeType (1.9f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
    }

    return image;
}

juce::Image WidgetImages::radioButton (bool selected, int scale)
{
    auto image = blank (15, 14, scale);
    juce::Graphics g (image);
    ArtScale::apply (g, scale);
    const juce::Rectangle<float> circle (1.5f, 0.5f, 12.0f, 12.0f);
    juce::Path shape;
    shape.addEllipse (circle);
    paintWell (g, shape, circle);

    if (selected)
    {
        g.setColour (ArtPalette::pictogram);
        g.fillEllipse (circle.reduced (3.5f));
    }

    return image;
}

void WidgetImages::paintRaisedFace (juce::Graphics& g, juce::Rectangle<float> face, float corner, bool pressed)
{
    juce::Path shape;
    shape.addRoundedRectangle (face, corner);

    // A soft shadow to the lower right; smaller while pressed, so the
    // button seems to sink.
    const int offset = pressed ? 1 : shadowDepth;
    CastShadow::draw (g, juce::DropShadow (juce::Colours::black.withAlpha (pressed ? 0.3f : 0.4f), pressed ? 2 : 3, { offset, offset }), shape);

    const auto top = pressed ? juce::Colour (0xffd2d2d2) : ArtPalette::widgetFaceLight;
    const auto bottom = pressed ? juce::Colour (0xffe2e2e2) : juce::Colour (0xffd6d6d6);
    g.setGradientFill ({ top, 0.0f, face.getY(), bottom, 0.0f, face.getBottom(), false });
    g.fillPath (shape);

    if (! pressed)
    {
        g.setColour (juce::Colours::white.withAlpha (0.8f));
        g.drawRoundedRectangle (face.reduced (1.0f), juce::jmax (0.0f, corner - 1.0f), 1.0f);
    }

    g.setColour (ArtPalette::widgetOutline);
    g.strokePath (shape, juce::PathStrokeType (1.0f));
}

juce::Image WidgetImages::imageButton (int kind, int size, bool pressed, int scale)
{
    auto image = blank (size, size, scale);
    juce::Graphics g (image);
    ArtScale::apply (g, scale);

    const bool large = size >= largeButtonSize;
    const float inset = pressed ? 1.5f : 0.5f;
    const float faceSize = (float) (size - 3 - (large ? 2 : 0));
    const juce::Rectangle<float> face (inset, inset, faceSize, faceSize);
    paintRaisedFace (g, face, large ? 5.0f : 3.5f, pressed);

    // The pictogram sits on whole pixels: 1 grid unit per pixel in the small
    // size, 1.5 in the large.
    const float pictogramSize = Pictograms::grid * (large ? 1.5f : 1.0f);
    const float offset = std::floor ((faceSize - pictogramSize) * 0.5f) + (pressed ? 1.0f : 0.0f);
    Pictograms::paint (g, (Pictograms::Symbol) juce::jlimit (0, Pictograms::imageButtonKinds - 1, kind),
                       { offset, offset, pictogramSize, pictogramSize }, ArtPalette::pictogram, juce::Colours::white);
    return image;
}

juce::Image WidgetImages::wholeTextButton (int width, int height, bool pressed, int scale)
{
    auto image = blank (width, height, scale);
    juce::Graphics g (image);
    ArtScale::apply (g, scale);
    const float inset = pressed ? 1.0f : 0.5f;
    const juce::Rectangle<float> face (0.5f, inset, (float) width - 1.0f - 1.0f, (float) (height - shadowDepth) - 1.0f);
    paintRaisedFace (g, face, 5.0f, pressed);
    return image;
}

juce::Image WidgetImages::textButtonOverlay (int width, int height, int scale)
{
    // A gloss over the upper half of the middle part.
    auto image = blank (width, height, scale);
    juce::Graphics g (image);
    ArtScale::apply (g, scale);
    g.setGradientFill ({ juce::Colours::white.withAlpha (0.2f), 0.0f, 2.0f,
                         juce::Colours::white.withAlpha (0.0f), 0.0f, (float) height * 0.5f, false });
    g.fillRect (0, 2, width, height / 2 - 2);
    return image;
}

std::map<juce::String, juce::Image> WidgetImages::textButton (int height, int leftCap, int rightCap, int scale)
{
    const int width = leftCap + middleWidth + rightCap;
    std::map<juce::String, juce::Image> images;

    for (const bool pressed : { false, true })
    {
        const auto whole = wholeTextButton (width, height, pressed, scale);
        const auto slice = [&] (int left, int sliceWidth) {
            return whole.getClippedImage (juce::Rectangle<int> (left, 0, sliceWidth, height) * scale).createCopy();
        };

        const juce::String suffix = pressed ? "Pressed" : "";
        images["Left" + suffix] = slice (0, leftCap);
        images["Middle" + suffix] = slice (leftCap, middleWidth);
        images["Right" + suffix] = slice (width - rightCap, rightCap);
    }

    images["Overlay"] = textButtonOverlay (middleWidth, height, scale);
    return images;
}
