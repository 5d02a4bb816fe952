#include "gui/look/FontFileTypeface.h"

#if JUCE_LINUX || JUCE_BSD

#include <ft2build.h>
#include FT_FREETYPE_H

#include <unordered_set>

namespace
{
// A glyph's outline as a JUCE path, in units of the font's height with y
// growing downwards; false for an outline it cannot read. The points implied
// between two conic control points are midpoints taken after scaling, as
// JUCE's own FreeType typeface takes them, so glyphs fill the same pixels.
class OutlinePath
{
public:
    OutlinePath (const FT_Outline& glyphOutline, float unitScale) : outline (glyphOutline), scale (unitScale) {}

    bool appendTo (juce::Path& path) const
    {
        for (int contour = 0, first = 0; contour < outline.n_contours; first = outline.contours[contour++] + 1)
            if (! appendContour (path, first, outline.contours[contour]))
                return false;

        return true;
    }

private:
    juce::Point<float> point (int index) const
    {
        return { scale * (float) outline.points[index].x, -scale * (float) outline.points[index].y };
    }

    char tag (int index) const { return FT_CURVE_TAG (outline.tags[index]); }

    bool appendContour (juce::Path& path, int first, int last) const
    {
        if (tag (first) == FT_CURVE_TAG_CONIC)
            path.startNewSubPath (tag (last) == FT_CURVE_TAG_ON ? point (last) : (point (first) + point (last)) * 0.5f);
        else
            path.startNewSubPath (point (first));

        for (int i = first; i <= last; ++i)
        {
            if (tag (i) == FT_CURVE_TAG_ON)
            {
                if (i != first)
                    path.lineTo (point (i));
            }
            else if (tag (i) == FT_CURVE_TAG_CONIC)
            {
                const auto control = point (i);
                const auto next = i == last ? first : i + 1;

                if (tag (next) == FT_CURVE_TAG_CONIC)
                {
                    path.quadraticTo (control, (control + point (next)) * 0.5f);
                }
                else
                {
                    path.quadraticTo (control, point (next));
                    ++i;
                }
            }
            else
            {
                const auto control2 = i + 1, end = i == last - 1 ? first : i + 2;

                if (i >= last || tag (control2) != FT_CURVE_TAG_CUBIC || tag (end) != FT_CURVE_TAG_ON)
                    return false;

                path.cubicTo (point (i), point (control2), point (end));
                i += 2;
            }
        }

        path.closeSubPath();
        return true;
    }

    const FT_Outline& outline;
    float scale;
};

class FreeTypeFace : public juce::CustomTypeface
{
public:
    static juce::Typeface::Ptr create (const juce::MemoryBlock& fontFile)
    {
        FT_Library library = nullptr;

        if (fontFile.isEmpty() || FT_Init_FreeType (&library) != 0)
            return nullptr;

        // The typeface keeps its own copy of the bytes, which the face reads.
        juce::Typeface::Ptr typeface (new FreeTypeFace (fontFile, library));
        auto& self = static_cast<FreeTypeFace&> (*typeface);

        if (FT_New_Memory_Face (library, static_cast<const FT_Byte*> (self.fontFile.getData()),
                                (FT_Long) self.fontFile.getSize(), 0, &self.face) != 0)
            return nullptr;

        // As JUCE picks a face's character map.
        if (FT_Select_Charmap (self.face, FT_ENCODING_UNICODE) != 0 && self.face->num_charmaps > 0)
            FT_Set_Charmap (self.face, self.face->charmaps[0]);

        self.unitsPerHeight = (float) (self.face->ascender - self.face->descender);
        self.setCharacteristics (self.face->family_name, self.face->style_name,
                                 (float) self.face->ascender / self.unitsPerHeight, L' ');
        return typeface;
    }

    ~FreeTypeFace() override
    {
        if (face != nullptr)
            FT_Done_Face (face);

        FT_Done_FreeType (library);
    }

    float getStringWidth (const juce::String& text) override
    {
        addKerningOf (text);
        return CustomTypeface::getStringWidth (text);
    }

    void getGlyphPositions (const juce::String& text, juce::Array<int>& glyphs, juce::Array<float>& xOffsets) override
    {
        addKerningOf (text);
        CustomTypeface::getGlyphPositions (text, glyphs, xOffsets);
    }

protected:
    bool loadGlyphIfPossible (juce::juce_wchar character) override
    {
        if (face == nullptr)
            return false;

        const auto glyph = FT_Get_Char_Index (face, (FT_ULong) character);

        if (FT_Load_Glyph (face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_TRANSFORM | FT_LOAD_NO_HINTING) != 0
            || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return false;

        const auto scale = 1.0f / unitsPerHeight;
        juce::Path outline;

        if (! OutlinePath (face->glyph->outline, scale).appendTo (outline))
            return false;

        addGlyph (character, outline, (float) face->glyph->metrics.horiAdvance * scale);
        return true;
    }

private:
    FreeTypeFace (const juce::MemoryBlock& file, FT_Library freeType) : fontFile (file), library (freeType) {}

    // The kerning of each pair of neighbours in the text not looked up yet,
    // as JUCE's typeface would have found it for the pair's first character.
    void addKerningOf (const juce::String& text)
    {
        if (face == nullptr || ! FT_HAS_KERNING (face))
            return;

        juce::juce_wchar left = 0;

        for (auto t = text.getCharPointer(); ! t.isEmpty(); )
        {
            const auto right = t.getAndAdvance();

            if (left != 0 && pairsLookedUp.insert (((juce::uint64) left << 32) | (juce::uint64) right).second)
                addKerningPair (left, right, kerning (left, right));

            left = right;
        }
    }

    float kerning (juce::juce_wchar left, juce::juce_wchar right) const
    {
        const auto leftGlyph = FT_Get_Char_Index (face, (FT_ULong) left);
        const auto rightGlyph = FT_Get_Char_Index (face, (FT_ULong) right);
        FT_Vector amount;

        if (leftGlyph == 0 || rightGlyph == 0 || FT_Get_Kerning (face, leftGlyph, rightGlyph, FT_KERNING_UNSCALED, &amount) != 0)
            return 0.0f;

        return (float) amount.x / unitsPerHeight;
    }

    juce::MemoryBlock fontFile; // FreeType reads the face from these bytes
    FT_Library library;
    FT_Face face = nullptr;
    float unitsPerHeight = 1.0f;
    std::unordered_set<juce::uint64> pairsLookedUp;
};
} // namespace

juce::Typeface::Ptr FontFileTypeface::create (const juce::MemoryBlock& fontFile)
{
    return FreeTypeFace::create (fontFile);
}

#else

juce::Typeface::Ptr FontFileTypeface::create (const juce::MemoryBlock& fontFile)
{
    if (fontFile.isEmpty())
        return nullptr;

    return juce::Typeface::createSystemTypefaceFor (fontFile.getData(), fontFile.getSize());
}

#endif
