#pragma once

#include <juce_graphics/juce_graphics.h>

// The preset browser's 16 x 16 row icons: a folder for groups and two
// beamed notes for presets, dark for ordinary rows and light for the
// selected row's dark highlight.
class BrowserIcons
{
public:
    static constexpr int size = 16;

    static juce::Image group (bool selected, int scale);
    static juce::Image preset (bool selected, int scale);
};
