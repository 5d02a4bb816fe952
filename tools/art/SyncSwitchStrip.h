#pragma once

#include <juce_graphics/juce_graphics.h>

// The tempo-sync slide switch: four lever positions along a slot, placed
// where a click selects them, and a window naming the current mode.
class SyncSwitchStrip
{
public:
    static constexpr int positions = 4;

    static juce::Image render (int width, int frameHeight, int scale);

    // The lever's centre for a position. A click at x selects
    // floor(3 (x - r) / (width - 2r) + 0.5) with r the slider's thumb
    // radius, so the positions sit at r + k (width - 2r) / 3.
    static float leverX (int position, int width, int height);

private:
    static void paintSlot (juce::Graphics& g, int width, int position);
    static void paintLever (juce::Graphics& g, float centreX);
};
