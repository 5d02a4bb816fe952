#pragma once

#include <juce_graphics/juce_graphics.h>

// A typeface read from a font file's bytes, such as an embedded one.
//
// Where JUCE reads fonts through FreeType (Linux), it is a face of its own
// that loads a glyph's outline the first time the glyph is measured or
// drawn, and a kerning pair's amount the first time the pair is measured.
// JUCE's own FreeType typeface looks up, for each new glyph, its kerning
// with every character of the font: for a large kerned font that is several
// million instructions a glyph. It also scans every installed font before it
// reads a font from bytes. Elsewhere this is JUCE's typeface for the bytes.
class FontFileTypeface
{
public:
    // Null when the bytes are not a font that can be read.
    static juce::Typeface::Ptr create (const juce::MemoryBlock& fontFile);
};
