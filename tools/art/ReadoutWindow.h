#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// A small recessed display window in the preset display's colours, used by
// the knobs and switches that read out their setting.
class ReadoutWindow
{
public:
    static void paintFrame (juce::Graphics& g, juce::Rectangle<int> area);

    // Text in the pixel font, centred, lit.
    static void paintText (juce::Graphics& g, juce::Rectangle<int> area, const juce::String& text);

    // Anything else lit inside the window (the wave shapes).
    static void paintLit (juce::Graphics& g, juce::Rectangle<int> area, const std::function<void (juce::Graphics&)>& paintContent);
};
