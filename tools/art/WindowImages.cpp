#include "tools/art/WindowImages.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"

namespace
{
constexpr int shadowLength = 40;
constexpr int shadowDepth = 10;
constexpr int darkest = 0xa8;
constexpr int faintest = 0x0b;
} // namespace

juce::Image WindowImages::titleIcon (int scale)
{
    auto icon = ArtScale::image (juce::Image::ARGB, 24, 24, scale);
    juce::Graphics g (icon);
    ArtScale::apply (g, scale);
    const juce::Rectangle<float> disc (1.5f, 1.0f, 21.0f, 21.0f);

    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillEllipse (disc.translated (0.0f, 1.0f));

    juce::ColourGradient body (juce::Colour (0xffff7a68), disc.getX() + 6.0f, disc.getY() + 5.0f,
                               juce::Colour (0xff8e0f0a), disc.getRight(), disc.getBottom(), true);
    body.addColour (0.45, juce::Colour (0xffd8261b));
    g.setGradientFill (body);
    g.fillEllipse (disc);

    // The product's two waves in white across the disc.
    for (int wave = 0; wave < 2; ++wave)
    {
        juce::Path path;
        const float phase = wave == 0 ? 0.0f : juce::MathConstants<float>::halfPi;

        for (int step = 0; step <= 24; ++step)
        {
            const float t = (float) step / 24.0f;
            const juce::Point<float> p (5.0f + t * 14.0f, 11.5f - 3.6f * std::sin (t * juce::MathConstants<float>::twoPi + phase));
            step == 0 ? path.startNewSubPath (p) : path.lineTo (p);
        }

        g.setColour (juce::Colours::white.withAlpha (wave == 0 ? 0.95f : 0.55f));
        g.strokePath (path, juce::PathStrokeType (1.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    g.setGradientFill ({ juce::Colours::white.withAlpha (0.45f), 12.0f, 1.5f, juce::Colours::transparentWhite, 12.0f, 9.0f, false });
    g.fillEllipse (disc.reduced (4.0f, 1.0f).withHeight (8.0f));
    g.setColour (juce::Colour (0xff5a0805));
    g.drawEllipse (disc, 0.8f);
    return icon;
}

juce::uint8 WindowImages::shadowAlpha (int step, int steps)
{
    // Falls off quickly near the edge, like a soft cast shadow.
    const double t = steps > 1 ? (double) step / (double) (steps - 1) : 0.0;
    const double remaining = (1.0 - t) * (1.0 - t);
    return (juce::uint8) juce::roundToInt (faintest + (darkest - faintest) * remaining);
}

juce::Image WindowImages::shadow (Side side, int scale)
{
    const bool horizontal = side == Side::top || side == Side::bottom;
    const int depth = shadowDepth * scale;
    const int length = shadowLength * scale;
    juce::Image image (juce::Image::ARGB, horizontal ? length : depth, horizontal ? depth : length, true);

    // The same fall-off over as many more pixels.
    for (int step = 0; step < depth; ++step)
    {
        // step 0 is the outer edge of the side.
        const int line = (side == Side::top || side == Side::left) ? step : depth - 1 - step;
        const auto colour = juce::Colours::black.withAlpha (shadowAlpha (step, depth));

        for (int along = 0; along < length; ++along)
            image.setPixelAt (horizontal ? along : line, horizontal ? line : along, colour);
    }

    return image;
}
