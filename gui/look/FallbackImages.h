#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Plain drawings that stand in for the widgets' PNG images while a PNG is
// missing: recognisable, not the product's artwork.
class FallbackImages
{
public:
    static void drawCheckBox (juce::Graphics&, juce::Rectangle<float> area, bool ticked);
    static void drawRadioButton (juce::Graphics&, juce::Rectangle<float> area, bool selected);
    static void drawImageButton (juce::Graphics&, juce::Rectangle<float> area, int kind, bool pressed);
    static void drawTitleIcon (juce::Graphics&, juce::Rectangle<float> area);
    static void drawShadow (juce::Graphics&, juce::Rectangle<float> area, int side);

private:
    static juce::Path makePictogram (int kind, juce::Rectangle<float> area);
};
