#include <gmock/gmock.h>

#include "QuilvernBinaryData.h"
#include "framework/EmbeddedResources.h"

#include <vector>

namespace
{
constexpr int fontCellWidth = 7;
constexpr int fontCellHeight = 9;
constexpr int fontGlyphs = 96;

// Every image is embedded at 1x as Name.png and at 2x as Name@2x.png.
constexpr int scales[] = { 1, 2 };

juce::String atScale (const juce::String& fileName, int scale)
{
    return scale == 1 ? fileName : fileName.upToLastOccurrenceOf (".", false, false) + "@2x.png";
}

bool isEmbeddedUnderExactName (const juce::String& fileName)
{
    for (int i = 0; i < QuilvernBinaryData::namedResourceListSize; ++i)
        if (fileName == QuilvernBinaryData::originalFilenames[i])
            return true;

    return false;
}

const juce::XmlElement* firstChild (const juce::XmlElement& element, const char* tag)
{
    for (auto* child : element.getChildIterator())
        if (child->getTagName().equalsIgnoreCase (tag))
            return child;

    return nullptr;
}
} // namespace

// Every strip the skin names is embedded under that exact name, one frame is
// the control's size and the strip holds framesNum of them; the display's
// font strip is one 7 x 9 cell per glyph, normal and inverted. The 2x strips
// hold as many frames of twice the size.
TEST (ArtworkResources, EverySkinStripHasTheSkinsSizeAndFrames)
{
    const auto skin = EmbeddedResources::loadResourceXml ("skin.xml");
    ASSERT_NE (skin, nullptr);

    for (const int scale : scales)
    {
        SCOPED_TRACE ("scale " + std::to_string (scale));
        int strips = 0;

        for (auto* control : skin->getChildIterator())
        {
            const auto* gfx = firstChild (*control, "gfx");
            const auto* size = firstChild (*control, "size");

            if (gfx == nullptr || size == nullptr)
                continue;

            const auto resource = atScale (gfx->getStringAttribute ("resource"), scale);
            SCOPED_TRACE (resource);
            EXPECT_TRUE (isEmbeddedUnderExactName (resource));

            const auto image = EmbeddedResources::loadResourceImage (resource);
            ASSERT_TRUE (image.isValid());
            ++strips;

            if (control->hasTagName ("Display"))
            {
                EXPECT_EQ (gfx->getIntAttribute ("fontHeight"), fontCellHeight);
                EXPECT_EQ (image.getWidth(), scale * fontCellWidth);
                EXPECT_EQ (image.getHeight(), scale * 2 * fontGlyphs * fontCellHeight);
                continue;
            }

            const int frames = gfx->getIntAttribute ("framesNum", 1);
            EXPECT_EQ (image.getWidth(), scale * size->getIntAttribute ("width"));
            EXPECT_EQ (image.getHeight(), frames * scale * size->getIntAttribute ("height"));
        }

        EXPECT_EQ (strips, 25);

        const auto background = EmbeddedResources::loadResourceImage (atScale (skin->getStringAttribute ("background"), scale));
        EXPECT_EQ (background.getBounds(), juce::Rectangle<int> (633 * scale, 207 * scale));
    }
}

// The lower half of the font strip is the upper half inverted: the caret
// cell shows the same glyph dark on light.
TEST (ArtworkResources, FontStripsLowerHalfInvertsItsUpperHalf)
{
    for (const int scale : scales)
    {
        SCOPED_TRACE ("scale " + std::to_string (scale));
        const int cellWidth = scale * fontCellWidth, cellHeight = scale * fontCellHeight;
        const auto font = EmbeddedResources::loadResourceImage (atScale ("Fonts.png", scale));
        ASSERT_EQ (font.getHeight(), 2 * fontGlyphs * cellHeight);
        const auto background = juce::Colour (0xff232224);
        int litPixels = 0;

        for (int y = 0; y < fontGlyphs * cellHeight; ++y)
        {
            for (int x = 0; x < cellWidth; ++x)
            {
                const bool lit = font.getPixelAt (x, y) != background;
                const bool invertedLit = font.getPixelAt (x, y + fontGlyphs * cellHeight) != background;
                ASSERT_NE (lit, invertedLit) << "at " << x << ", " << y;
                litPixels += lit ? 1 : 0;

                // The space glyph is blank.
                if (y < cellHeight)
                    ASSERT_FALSE (lit);
            }
        }

        EXPECT_GT (litPixels, fontGlyphs * 8 * scale * scale);
    }
}

// The look and feel, the windows and the preset browser load these by name.
TEST (ArtworkResources, WidgetImagesExistWithTheirSizes)
{
    struct Expected
    {
        juce::String fileName;
        int width, height; // width 0: any width (a slice that is stretched)
    };

    std::vector<Expected> expected {
        { "CheckBoxOff.png", 15, 14 }, { "CheckBoxOn.png", 15, 14 },
        { "RadioButtonOff.png", 15, 14 }, { "RadioButtonOn.png", 15, 14 },
        { "WindowTitleIcon.png", 24, 24 },
        { "WindowShadowTop.png", 40, 10 }, { "WindowShadowBottom.png", 40, 10 },
        { "WindowShadowLeft.png", 10, 40 }, { "WindowShadowRight.png", 10, 40 },
        { "GroupIcon.png", 16, 16 }, { "GroupIconSelected.png", 16, 16 },
        { "PresetIcon.png", 16, 16 }, { "PresetIconSelected.png", 16, 16 },
    };

    for (int kind = 0; kind < 17; ++kind)
        for (const juce::String pressed : { "", "Pressed" })
        {
            expected.push_back ({ "ImageButton" + juce::String (kind) + "Small" + pressed + ".png", 27, 27 });
            expected.push_back ({ "ImageButton" + juce::String (kind) + "Large" + pressed + ".png", 43, 43 });
        }

    for (const juce::String pressed : { "", "Pressed" })
    {
        expected.push_back ({ "TextButtonLeft" + pressed + ".png", 15, 28 });
        expected.push_back ({ "TextButtonMiddle" + pressed + ".png", 0, 28 });
        expected.push_back ({ "TextButtonRight" + pressed + ".png", 15, 28 });
        expected.push_back ({ "TextButtonLargeLeft" + pressed + ".png", 15, 32 });
        expected.push_back ({ "TextButtonLargeMiddle" + pressed + ".png", 0, 32 });
        expected.push_back ({ "TextButtonLargeRight" + pressed + ".png", 14, 32 });
    }

    expected.push_back ({ "TextButtonOverlay.png", 0, 28 });
    expected.push_back ({ "TextButtonLargeOverlay.png", 0, 32 });

    for (const int scale : scales)
        for (const auto& image : expected)
        {
            const auto fileName = atScale (image.fileName, scale);
            SCOPED_TRACE (fileName);
            EXPECT_TRUE (isEmbeddedUnderExactName (fileName));
            const auto loaded = EmbeddedResources::loadResourceImage (fileName);
            ASSERT_TRUE (loaded.isValid());
            EXPECT_EQ (loaded.getHeight(), scale * image.height);

            if (image.width > 0)
                EXPECT_EQ (loaded.getWidth(), scale * image.width);
            else
                EXPECT_GT (loaded.getWidth(), 0);
        }
}

// Whatever a 1x image is, its 2x partner is embedded beside it at exactly
// twice its width and height (so a strip's frames divide alike), and no 2x
// image is left without its 1x one.
TEST (ArtworkResources, EveryImageHasItsTwiceAsLargePartner)
{
    int pairs = 0;

    for (int i = 0; i < QuilvernBinaryData::namedResourceListSize; ++i)
    {
        const juce::String fileName (QuilvernBinaryData::originalFilenames[i]);

        if (! fileName.endsWithIgnoreCase (".png"))
            continue;

        SCOPED_TRACE (fileName);

        if (fileName.containsIgnoreCase ("@2x."))
        {
            EXPECT_TRUE (isEmbeddedUnderExactName (fileName.replace ("@2x.", ".")));
            continue;
        }

        const auto image = EmbeddedResources::loadResourceImage (fileName);
        const auto partner = EmbeddedResources::loadResourceImage (atScale (fileName, 2));
        ASSERT_TRUE (image.isValid());
        ASSERT_TRUE (isEmbeddedUnderExactName (atScale (fileName, 2)));
        EXPECT_EQ (partner.getBounds(), image.getBounds() * 2);
        ++pairs;
    }

    EXPECT_GT (pairs, 100);
}
