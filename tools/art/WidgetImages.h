#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

// The look and feel's light grey widgets: check boxes, radio buttons, the
// image buttons with their pictograms and the text buttons' slices.
class WidgetImages
{
public:
    static constexpr int smallButtonSize = 27;
    static constexpr int largeButtonSize = 43;

    // Sizes are in units; each image is `scale` times that size.
    static juce::Image checkBox (bool ticked, int scale);
    static juce::Image radioButton (bool selected, int scale);
    static juce::Image imageButton (int kind, int size, bool pressed, int scale);

    // The seven images of a text button style, by name suffix: "Left",
    // "Middle", "Right", the same three with "Pressed", and "Overlay".
    static std::map<juce::String, juce::Image> textButton (int height, int leftCap, int rightCap, int scale);

private:
    static juce::Image wholeTextButton (int width, int height, bool pressed, int scale);
    static juce::Image textButtonOverlay (int width, int height, int scale);
    static void paintRaisedFace (juce::Graphics& g, juce::Rectangle<float> face, float corner, bool pressed);
};
