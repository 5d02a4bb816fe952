#include "tools/art/KnobStrips.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/Glow.h"
#include "tools/art/KnobPainter.h"
#include "tools/art/PixelFont.h"
#include "tools/art/ReadoutWindow.h"
#include "tools/art/StripRenderer.h"
#include "tools/art/WaveShapes.h"

#include <cmath>

namespace
{
constexpr float readoutKnobRadius = 10.0f;

float proportion (int frame, int frames)
{
    return frames > 1 ? (float) frame / (float) (frames - 1) : 0.0f;
}

juce::Point<float> centreOf (int width, int height)
{
    return { (float) width * 0.5f, (float) height * 0.5f };
}

// The stages knob's four settings sit in the frame's corners.
const char* const stageNames[] = { "2", "4", "6", "8" };

juce::Point<int> stageLabelPosition (int index, int width, int height)
{
    const bool right = index >= 2;
    const bool top = index == 1 || index == 2;
    return { right ? width - PixelFont::glyphWidth - 1 : 1, top ? 1 : height - 8 };
}

const char* const noteNames[] = { "32", "16", "8", "4", "2", "1", "1/2", "1/4", "1/8", "1/16", "1/32" };
} // namespace

juce::Image KnobStrips::continuous (int width, int height, int frames, int scale)
{
    const auto centre = centreOf (width, height);
    const float radius = (float) juce::jmin (width, height) * 0.5f - 6.0f;

    return StripRenderer::render (width, height, frames, scale, [=] (juce::Graphics& g, int frame) {
        const float p = proportion (frame, frames);
        KnobPainter::paintValueArc (g, centre, radius + 3.6f, p);
        KnobPainter::paintKnob (g, centre, radius, KnobPainter::angleFor (p));
    });
}

juce::Image KnobStrips::stages (int width, int height, int scale)
{
    const auto centre = centreOf (width, height);
    constexpr int frames = 4;

    return StripRenderer::render (width, height, frames, scale, [=] (juce::Graphics& g, int frame) {
        for (int index = 0; index < frames; ++index)
        {
            const auto at = stageLabelPosition (index, width, height);
            const auto paintLabel = [&] (juce::Graphics& lit) { PixelFont::drawText (lit, stageNames[index], at.x, at.y); };

            if (index == frame)
                Glow::draw (g, { at.x, at.y, PixelFont::glyphWidth, 7 }, 1.3f, 0.9f, [&] (juce::Graphics& lit) {
                    lit.setColour (ArtPalette::accent);
                    paintLabel (lit);
                });
            else
            {
                g.setColour (ArtPalette::silkscreenDim);
                paintLabel (g);
            }
        }

        // The pointer aims at the lit number in its corner.
        const auto label = stageLabelPosition (frame, width, height).toFloat() + juce::Point<float> (2.5f, 3.5f);
        KnobPainter::paintKnob (g, centre, 10.5f, centre.getAngleToPoint (label));
    });
}

juce::Rectangle<int> KnobStrips::windowArea (int width)
{
    return { 1, 0, width - 2, 11 };
}

juce::Point<float> KnobStrips::readoutKnobCentre (int width, int height)
{
    // Centred in the space under the window.
    const auto window = windowArea (width);
    return { (float) width * 0.5f, (float) (window.getBottom() + height) * 0.5f };
}

juce::Image KnobStrips::wave (int width, int height, int scale)
{
    const auto centre = readoutKnobCentre (width, height);
    const auto window = windowArea (width);

    return StripRenderer::render (width, height, WaveShapes::count, scale, [=] (juce::Graphics& g, int frame) {
        ReadoutWindow::paintFrame (g, window);
        ReadoutWindow::paintLit (g, window, [&] (juce::Graphics& lit) {
            WaveShapes::draw (lit, frame, window.getCentreX() - WaveShapes::width / 2, window.getY() + 2);
        });
        KnobPainter::paintKnob (g, centre, readoutKnobRadius, KnobPainter::angleFor (proportion (frame, WaveShapes::count)));
    });
}

juce::Image KnobStrips::freeRate (int width, int height, int frames, int scale)
{
    const auto centre = readoutKnobCentre (width, height);
    const auto window = windowArea (width);

    return StripRenderer::render (width, height, frames, scale, [=] (juce::Graphics& g, int frame) {
        const float p = proportion (frame, frames);
        ReadoutWindow::paintFrame (g, window);
        ReadoutWindow::paintText (g, window, rateText (frame, frames));
        KnobPainter::paintKnob (g, centre, readoutKnobRadius, KnobPainter::angleFor (p));
    });
}

juce::Image KnobStrips::noteRate (int width, int height, int frames, int scale)
{
    const auto centre = readoutKnobCentre (width, height);
    const auto window = windowArea (width);

    return StripRenderer::render (width, height, frames, scale, [=] (juce::Graphics& g, int frame) {
        ReadoutWindow::paintFrame (g, window);
        ReadoutWindow::paintText (g, window, noteNames[juce::jlimit (0, 10, frame)]);
        KnobPainter::paintKnob (g, centre, readoutKnobRadius, KnobPainter::angleFor (proportion (frame, frames)));
    });
}

juce::String KnobStrips::rateText (int frame, int frames)
{
    // The oscillators' free-rate curve: 0.01 Hz at 0, 0.5 Hz at 0.5, 20 Hz at 1.
    const double x = proportion (frame, frames);
    const double hz = std::exp (7.367528706904771 * x) * 0.01263019463426548 - 0.00263019462995602;

    if (hz < 1.0)
        return juce::String (hz, 2).substring (0, 4);

    if (hz < 10.0)
        return juce::String (hz, 1);

    return juce::String (juce::roundToInt (hz));
}
