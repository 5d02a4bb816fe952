#pragma once

#include <juce_graphics/juce_graphics.h>

// A hand-drawn 5 x 7 pixel font (with one row of descenders) for the
// characters 32 to 127, drawn pixel by pixel so that it stays sharp at the
// small sizes of the face: the preset display's font strip and the little
// read-outs on the knobs and switches.
class PixelFont
{
public:
    static constexpr int glyphWidth = 5;
    static constexpr int glyphRows = 8; // 7 rows above the baseline, 1 below
    static constexpr int advance = 6;
    static constexpr int firstCharacter = 32;
    static constexpr int lastCharacter = 127;

    static bool isSet (juce::juce_wchar character, int column, int row);

    // Draws one glyph with its top-left pixel at (x, y).
    static void drawGlyph (juce::Graphics& g, juce::juce_wchar character, int x, int y);

    // Draws text whose first glyph starts at (x, y), in the current colour.
    static void drawText (juce::Graphics& g, const juce::String& text, int x, int y);

    // Draws text centred on centreX, top row at y.
    static void drawCentred (juce::Graphics& g, const juce::String& text, float centreX, int y);

    static int getTextWidth (const juce::String& text);
};
