#include "tools/render/UnkernedTypeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace
{
// Builds a JUCE path from a FreeType outline, in units of the font's height
// with y growing downwards.
struct OutlineBuilder
{
    juce::Path path;
    float scale;

    juce::Point<float> point (const FT_Vector* v) const { return { (float) v->x * scale, (float) -v->y * scale }; }

    static OutlineBuilder& of (void* user) { return *static_cast<OutlineBuilder*> (user); }

    static int moveTo (const FT_Vector* to, void* user)
    {
        auto& b = of (user);
        b.path.closeSubPath();
        b.path.startNewSubPath (b.point (to));
        return 0;
    }

    static int lineTo (const FT_Vector* to, void* user)
    {
        of (user).path.lineTo (of (user).point (to));
        return 0;
    }

    static int conicTo (const FT_Vector* control, const FT_Vector* to, void* user)
    {
        of (user).path.quadraticTo (of (user).point (control), of (user).point (to));
        return 0;
    }

    static int cubicTo (const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
    {
        auto& b = of (user);
        b.path.cubicTo (b.point (control1), b.point (control2), b.point (to));
        return 0;
    }
};
} // namespace

juce::Typeface::Ptr UnkernedTypeface::create (const juce::MemoryBlock& fontFile)
{
    FT_Library library = nullptr;

    if (fontFile.isEmpty() || FT_Init_FreeType (&library) != 0)
        return nullptr;

    // The typeface keeps its own copy of the bytes, which the face reads.
    juce::Typeface::Ptr typeface (new UnkernedTypeface (fontFile, library, nullptr));
    auto& self = static_cast<UnkernedTypeface&> (*typeface);

    if (FT_New_Memory_Face (library, static_cast<const FT_Byte*> (self.fontFile.getData()),
                            (FT_Long) self.fontFile.getSize(), 0, &self.face) != 0)
        return nullptr;

    const auto height = (float) (self.face->ascender - self.face->descender);
    self.setCharacteristics (self.face->family_name, self.face->style_name, (float) self.face->ascender / height, L' ');
    return typeface;
}

UnkernedTypeface::UnkernedTypeface (const juce::MemoryBlock& file, FT_Library freeType, FT_Face loadedFace)
    : fontFile (file), library (freeType), face (loadedFace)
{
}

UnkernedTypeface::~UnkernedTypeface()
{
    if (face != nullptr)
        FT_Done_Face (face);

    FT_Done_FreeType (library);
}

bool UnkernedTypeface::loadGlyphIfPossible (juce::juce_wchar character)
{
    if (face == nullptr)
        return false;

    const auto glyph = FT_Get_Char_Index (face, (FT_ULong) character);

    if (FT_Load_Glyph (face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_TRANSFORM | FT_LOAD_NO_HINTING) != 0
        || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return false;

    OutlineBuilder builder { {}, 1.0f / (float) (face->ascender - face->descender) };
    const FT_Outline_Funcs functions { &OutlineBuilder::moveTo, &OutlineBuilder::lineTo,
                                       &OutlineBuilder::conicTo, &OutlineBuilder::cubicTo, 0, 0 };

    if (FT_Outline_Decompose (&face->glyph->outline, &functions, &builder) != 0)
        return false;

    builder.path.closeSubPath();
    addGlyph (character, builder.path, (float) face->glyph->metrics.horiAdvance * builder.scale);
    return true;
}
