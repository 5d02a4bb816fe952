#pragma once

#include <juce_graphics/juce_graphics.h>

// The standalone program's desktop icon: the face's emblem (a dark disc
// with the two channels' sweeps a quarter cycle apart) on a tile of the
// panel's graphite. The same shapes draw the PNG sizes and write the
// scalable SVG, so every size shows one picture.
class AppIcon
{
public:
    // The sizes desktops look for in the hicolor theme, in pixels.
    static constexpr int pngSizes[] = { 48, 128 };

    static juce::Image render (int size);

    static juce::String toSvg();

    // Writes quilvern-<size>.png for each size and quilvern.svg into the
    // folder. Fails when the SVG, drawn back by JUCE's SVG reader, does not
    // give the picture the PNG shows.
    static juce::Result writeAll (const juce::File& folder);

private:
    static void paint (juce::Graphics& g);
    static juce::Path wave (float phase);
    static juce::String svgPathData (const juce::Path& path);
    static bool svgDrawsLike (const juce::String& svg, const juce::Image& image);
};
