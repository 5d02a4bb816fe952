#include "framework/EmbeddedResources.h"
#include "gui/look/EmboldenedTypeface.h"
#include "gui/look/FontFileTypeface.h"

#include <gmock/gmock.h>

#include <utility>

namespace
{
struct Faces
{
    juce::Typeface::Ptr ours, juces;
};

// The same font bytes read by FontFileTypeface and by JUCE's own typeface.
Faces readBoth (const juce::MemoryBlock& bytes)
{
    return { FontFileTypeface::create (bytes), juce::Typeface::createSystemTypefaceFor (bytes.getData(), bytes.getSize()) };
}

// Black text on white, starting a third of a pixel in, as labels are drawn.
juce::Image draw (juce::Typeface::Ptr face, float height, const juce::String& text)
{
    juce::Image image (juce::Image::RGB, 720, (int) height * 2, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::white);
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (face).withHeight (height));
    g.drawText (text, image.getBounds().toFloat().withTrimmedLeft (0.33f), juce::Justification::centredLeft, false);
    return image;
}

int differingPixels (const juce::Image& a, const juce::Image& b)
{
    int count = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            count += a.getPixelAt (x, y) != b.getPixelAt (x, y) ? 1 : 0;

    return count;
}

juce::Array<float> offsetsOf (juce::Typeface& face, const juce::String& text)
{
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    face.getGlyphPositions (text, glyphs, offsets);
    return offsets;
}

// Measures and draws text with both faces: the same places, the same pixels.
void expectSameText (const Faces& faces, const juce::String& text)
{
    SCOPED_TRACE (text);
    EXPECT_EQ (offsetsOf (*faces.ours, text), offsetsOf (*faces.juces, text));
    EXPECT_EQ (faces.ours->getStringWidth (text), faces.juces->getStringWidth (text));

    for (const float height : { 13.0f, 15.0f, 30.0f })
        EXPECT_EQ (differingPixels (draw (faces.ours, height, text), draw (faces.juces, height, text)), 0) << height;
}
} // namespace

TEST (FontFileTypeface, DrawsTheEmbeddedFacesPixelForPixelAsJuceDoes)
{
    // The plain face, the bold file as it is, and the bold file drawn
    // heavier as the editor draws it.
    for (const auto [file, emboldened] : { std::pair ("tahoma.ttf", false), std::pair ("tahomabd.ttf", false),
                                           std::pair ("tahomabd.ttf", true) })
    {
        SCOPED_TRACE (juce::String (file) + (emboldened ? " emboldened" : ""));
        auto faces = readBoth (EmbeddedResources::loadResourceData (file));
        ASSERT_NE (faces.ours, nullptr);
        EXPECT_EQ (faces.ours->getName(), faces.juces->getName());
        EXPECT_EQ (faces.ours->getStyle(), faces.juces->getStyle());
        EXPECT_EQ (faces.ours->getAscent(), faces.juces->getAscent());

        if (emboldened)
            faces = { new EmboldenedTypeface (faces.ours, 0.045f), new EmboldenedTypeface (faces.juces, 0.045f) };

        // The editor's texts, accented letters and a character the font
        // lacks (drawn as the font's missing-glyph box).
        for (const char* text : { "Midi Control  Presets  Feedback: 63 %  Clear All  Load Save Browse",
                                  "/home/user/Music/Quilvern/Live sets 2024.qvprsb [...] {} (x) 0123456789",
                                  "Caf\xc3\xa9 \xc3\x9f\xc3\xb1 \xe2\x82\xac \xe4\xb8\xad" })
            expectSameText (faces, juce::String::fromUTF8 (text));
    }
}

// Wine's Tahoma has no kerning; a font that has it keeps it, looked up a
// pair at a time instead of for every character of the font at once.
TEST (FontFileTypeface, KeepsAKernedFontsKerning)
{
    // Debian's fonts-dejavu-core, which fontconfig depends on.
    const juce::File dejaVu ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

    if (! dejaVu.existsAsFile())
        GTEST_SKIP() << "no DejaVu Sans on this machine";

    juce::MemoryBlock bytes;
    ASSERT_TRUE (dejaVu.loadFileAsData (bytes));
    const auto faces = readBoth (bytes);
    const juce::String kerned ("AVATAR Typo \"Yo\" LTA Wave r. F, P.");

    float unkernedWidth = 0.0f;

    for (const auto character : kerned)
        unkernedWidth += faces.ours->getStringWidth (juce::String::charToString (character));

    EXPECT_LT (faces.ours->getStringWidth (kerned), unkernedWidth - 0.3f) << "the text has kerned pairs";
    expectSameText (faces, kerned);
    expectSameText (faces, "TAVAT WAVY"); // pairs met again, in new company
}

TEST (FontFileTypeface, BytesThatAreNoFontGiveNoTypeface)
{
    EXPECT_EQ (FontFileTypeface::create ({}), nullptr);

    const juce::String notAFont ("this is not a font file, only text that is long enough to look like a header");
    EXPECT_EQ (FontFileTypeface::create (juce::MemoryBlock (notAFont.toRawUTF8(), notAFont.getNumBytesAsUTF8())), nullptr);
}
