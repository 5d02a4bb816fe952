#pragma once

#include <juce_graphics/juce_graphics.h>

// The preset display's font: one column of glyph cells for the characters
// 32 to 127, each cellWidth x cellHeight, light on the display's background
// in the upper half and the same glyphs dark on light (the caret cell) in
// the lower half. The 2x strip has cells of twice the size with the same
// glyphs drawn finer.
class FontStrip
{
public:
    static constexpr int cellWidth = 7;
    static constexpr int cellHeight = 9;
    static constexpr int glyphCount = 96;

    static juce::Image render (int scale);

private:
    static void paintCell (juce::Graphics& g, juce::juce_wchar character, int top, bool inverted);
};
