#include <gmock/gmock.h>

#include "QuilvernBinaryData.h"
#include "framework/EmbeddedResources.h"

#include <vector>

namespace
{
constexpr int fontCellWidth = 7;
constexpr int fontCellHeight = 9;
constexpr int fontGlyphs = 96;

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
// font strip is one 7 x 9 cell per glyph, normal and inverted.
TEST (ArtworkResources, EverySkinStripHasTheSkinsSizeAndFrames)
{
    const auto skin = EmbeddedResources::loadResourceXml ("skin.xml");
    ASSERT_NE (skin, nullptr);
    int strips = 0;

    for (auto* control : skin->getChildIterator())
    {
        const auto* gfx = firstChild (*control, "gfx");
        const auto* size = firstChild (*control, "size");

        if (gfx == nullptr || size == nullptr)
            continue;

        const auto resource = gfx->getStringAttribute ("resource");
        SCOPED_TRACE (resource);
        EXPECT_TRUE (isEmbeddedUnderExactName (resource));

        const auto image = EmbeddedResources::loadResourceImage (resource);
        ASSERT_TRUE (image.isValid());
        ++strips;

        if (control->hasTagName ("Display"))
        {
            EXPECT_EQ (gfx->getIntAttribute ("fontHeight"), fontCellHeight);
            EXPECT_EQ (image.getWidth(), fontCellWidth);
            EXPECT_EQ (image.getHeight(), 2 * fontGlyphs * fontCellHeight);
            continue;
        }

        const int frames = gfx->getIntAttribute ("framesNum", 1);
        EXPECT_EQ (image.getWidth(), size->getIntAttribute ("width"));
        EXPECT_EQ (image.getHeight(), frames * size->getIntAttribute ("height"));
    }

    EXPECT_EQ (strips, 25);

    const auto background = EmbeddedResources::loadResourceImage (skin->getStringAttribute ("background"));
    EXPECT_EQ (background.getBounds(), juce::Rectangle<int> (633, 207));
}

// The lower half of the font strip is the upper half inverted: the caret
// cell shows the same glyph dark on light.
TEST (ArtworkResources, FontStripsLowerHalfInvertsItsUpperHalf)
{
    const auto font = EmbeddedResources::loadResourceImage ("Fonts.png");
    ASSERT_EQ (font.getHeight(), 2 * fontGlyphs * fontCellHeight);
    const auto background = juce::Colour (0xff232224);
    int litPixels = 0;

    for (int y = 0; y < fontGlyphs * fontCellHeight; ++y)
    {
        for (int x = 0; x < fontCellWidth; ++x)
        {
            const bool lit = font.getPixelAt (x, y) != background;
            const bool invertedLit = font.getPixelAt (x, y + fontGlyphs * fontCellHeight) != background;
            ASSERT_NE (lit, invertedLit) << "at " << x << ", " << y;
            litPixels += lit ? 1 : 0;

            // The space glyph is blank.
            if (y < fontCellHeight)
                ASSERT_FALSE (lit);
        }
    }

    EXPECT_GT (litPixels, fontGlyphs * 8);
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

    for (const auto& image : expected)
    {
        SCOPED_TRACE (image.fileName);
        EXPECT_TRUE (isEmbeddedUnderExactName (image.fileName));
        const auto loaded = EmbeddedResources::loadResourceImage (image.fileName);
        ASSERT_TRUE (loaded.isValid());
        EXPECT_EQ (loaded.getHeight(), image.height);

        if (image.width > 0)
            EXPECT_EQ (loaded.getWidth(), image.width);
        else
            EXPECT_GT (loaded.getWidth(), 0);
    }
}
