#pragma once

#include "tools/art/Pictograms.h"

// The face's push buttons (options, previous, next, browse): a dark square
// cap with a light symbol in frame 0, and in frame 1 the cap pushed in
// with its symbol lit.
class PanelButtonStrip
{
public:
    // `cap` is where the button's cap sits inside the frame.
    static juce::Image render (int width, int frameHeight, juce::Rectangle<float> cap, Pictograms::Symbol symbol, int scale);

private:
    static void paintCap (juce::Graphics& g, juce::Rectangle<float> cap, bool pressed);
    static void paintSymbol (juce::Graphics& g, juce::Rectangle<float> cap, Pictograms::Symbol symbol, bool pressed);
};
