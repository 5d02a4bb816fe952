#pragma once

#include <juce_graphics/juce_graphics.h>

// A typeface that draws another one's glyphs heavier. Wine's Tahoma Bold
// carries its bold letterforms only as small bitmaps; its outlines, which JUCE
// draws, are those of the plain face on wider advances. This face keeps the
// bold face's metrics and thickens each outline by laying copies of it side
// by side, as Windows does when it synthesises bold.
class EmboldenedTypeface : public juce::Typeface
{
public:
    // extraWidth: how much wider each stroke gets, as a fraction of the
    // font height.
    EmboldenedTypeface (juce::Typeface::Ptr base, float extraWidth);

    float getAscent() const override { return base->getAscent(); }
    float getDescent() const override { return base->getDescent(); }
    float getHeightToPointsFactor() const override { return base->getHeightToPointsFactor(); }
    float getStringWidth (const juce::String& text) override { return base->getStringWidth (text); }
    void getGlyphPositions (const juce::String& text, juce::Array<int>& glyphs, juce::Array<float>& xOffsets) override;
    bool getOutlineForGlyph (int glyphNumber, juce::Path& path) override;

private:
    juce::Typeface::Ptr base;
    float extraWidth;
};
