#include "tools/art/FontStrip.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"
#include "tools/art/PixelFont.h"

juce::Image FontStrip::render (int scale)
{
    auto strip = ArtScale::image (juce::Image::RGB, cellWidth, cellHeight * glyphCount * 2, scale);
    juce::Graphics g (strip);
    ArtScale::apply (g, scale);

    for (int index = 0; index < glyphCount; ++index)
    {
        const auto character = (juce::juce_wchar) (PixelFont::firstCharacter + index);
        paintCell (g, character, index * cellHeight, false);
        paintCell (g, character, (glyphCount + index) * cellHeight, true);
    }

    return strip;
}

void FontStrip::paintCell (juce::Graphics& g, juce::juce_wchar character, int top, bool inverted)
{
    // One blank column on the left and right and one blank row on top; the
    // glyph's descender row is the cell's last.
    g.setColour (inverted ? ArtPalette::displayText : ArtPalette::displayBackground);
    g.fillRect (0, top, cellWidth, cellHeight);
    g.setColour (inverted ? ArtPalette::displayBackground : ArtPalette::displayText);
    PixelFont::drawGlyph (g, character, 1, top + 1);
}
