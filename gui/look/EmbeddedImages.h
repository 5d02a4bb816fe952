#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The widgets' PNG images, embedded in the plug-in and decoded once into a
// cache of the process, so repeated requests share one image. Where a PNG is
// missing, the check box, radio, image-button, title-icon and shadow images
// are drawn here instead, so the widgets stay usable; the text-button parts
// stay invalid, and the text button then draws itself without images.
class EmbeddedImages
{
public:
    enum TextButtonPart
    {
        leftCap,
        middle,
        rightCap,
        leftCapPressed,
        middlePressed,
        rightCapPressed,
        overlay,
        numTextButtonParts
    };

    enum ShadowSide
    {
        noShadow = 0,
        shadowTop = 1,
        shadowBottom = 2,
        shadowLeft = 3,
        shadowRight = 4
    };

    static constexpr int numImageButtonKinds = 17;

    static juce::Image getCheckBox (bool ticked);
    static juce::Image getRadioButton (bool selected);
    // Kinds 0 to 16; style 2 is the 43-pixel set, any other style the
    // 27-pixel set. Invalid for a kind out of range.
    static juce::Image getImageButton (int kind, int style, bool pressed);
    // Style 0 and 1 share the 28-pixel set, style 2 has the 32-pixel set.
    static juce::Image getTextButtonPart (int style, TextButtonPart part);
    static juce::Image getWindowTitleIcon();
    // The shadow strip of a side (40 x 10 for top and bottom, 10 x 40 for
    // left and right); invalid for noShadow.
    static juce::Image getWindowShadow (int side);

    // The named PNG resource through the cache, marked as the 1x set of its
    // file (ImageSets); invalid when missing. Its pixels are decoded when
    // first drawn, which at 2x they never are.
    static juce::Image load (const juce::String& fileName);

private:
    class Cache;

    using Painter = std::function<void (juce::Graphics&, juce::Rectangle<float>)>;
    static juce::Image loadOrDraw (const juce::String& fileName, int width, int height, const Painter& painter);
};
