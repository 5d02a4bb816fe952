#pragma once

#include <juce_graphics/juce_graphics.h>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// A typeface read from a font file's bytes that loads each glyph's outline
// when it is first drawn, leaving kerning out. JUCE's own FreeType typeface
// looks up the kerning of every new glyph against every character of the
// font, which for a large font costs far more than drawing a picture's
// labels.
class UnkernedTypeface : public juce::CustomTypeface
{
public:
    // Null when the bytes are not a font FreeType can read.
    static juce::Typeface::Ptr create (const juce::MemoryBlock& fontFile);

    ~UnkernedTypeface() override;

protected:
    bool loadGlyphIfPossible (juce::juce_wchar character) override;

private:
    UnkernedTypeface (const juce::MemoryBlock& fontFile, FT_Library library, FT_Face face);

    juce::MemoryBlock fontFile; // FreeType reads the face from these bytes
    FT_Library library;
    FT_Face face;
};
