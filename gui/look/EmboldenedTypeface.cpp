#include "gui/look/EmboldenedTypeface.h"

namespace
{
// Copies no further apart than this (of the font height) leave no gap
// between them even on the thinnest stroke.
constexpr float copySpacing = 0.01f;
} // namespace

EmboldenedTypeface::EmboldenedTypeface (juce::Typeface::Ptr baseFace, float extra)
    : juce::Typeface (baseFace->getName(), baseFace->getStyle()), base (std::move (baseFace)), extraWidth (extra)
{
}

void EmboldenedTypeface::getGlyphPositions (const juce::String& text, juce::Array<int>& glyphs,
                                            juce::Array<float>& xOffsets)
{
    base->getGlyphPositions (text, glyphs, xOffsets);
}

bool EmboldenedTypeface::getOutlineForGlyph (int glyphNumber, juce::Path& path)
{
    juce::Path outline;

    if (! base->getOutlineForGlyph (glyphNumber, outline))
        return false;

    // The glyph's contours all turn the same way, so under the non-zero
    // winding rule the copies add up to their union.
    const int copies = juce::jmax (1, (int) std::ceil (extraWidth / copySpacing));
    path = outline;
    path.setUsingNonZeroWinding (true);

    for (int i = 1; i <= copies; ++i)
        path.addPath (outline, juce::AffineTransform::translation (extraWidth * (float) i / (float) copies, 0.0f));

    return true;
}
