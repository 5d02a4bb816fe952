#include <gmock/gmock.h>

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedFonts.h"
#include "gui/look/EmbeddedImages.h"

// CTest also runs this group with JUCE_FONT_PATH naming folders without
// Tahoma and with Wine's Tahoma, and sets QUILVERN_SYSTEM_TAHOMA to say
// which: the embedded faces must win either way.
TEST (EmbeddedFonts, TahomaIsTheEmbeddedFaceWhateverFontsTheSystemHas)
{
    const auto systemTahoma = juce::SystemStats::getEnvironmentVariable ("QUILVERN_SYSTEM_TAHOMA", {});

    if (systemTahoma.isNotEmpty())
        EXPECT_EQ (juce::Font::findAllTypefaceNames().contains ("Tahoma"), systemTahoma == "yes");

    DefaultLookAndFeel lookAndFeel;

    for (const bool bold : { false, true })
    {
        SCOPED_TRACE (bold ? "bold" : "plain");
        const auto embedded = EmbeddedFonts::getTahomaTypeface (bold);
        ASSERT_NE (embedded, nullptr);
        EXPECT_EQ (embedded->getName(), "Tahoma");

        for (const char* name : { "Tahoma", "tahoma" })
            EXPECT_EQ (juce::Font (name, 13.0f, bold ? juce::Font::bold : juce::Font::plain).getTypefacePtr(), embedded);

        EXPECT_EQ ((bold ? lookAndFeel.getBoldFont() : lookAndFeel.getPlainFont()).getTypefacePtr(), embedded);
    }

    EXPECT_EQ (lookAndFeel.getPlainFont().getHeight(), 13.0f);
    EXPECT_NE (juce::Font (juce::Font::getDefaultSansSerifFontName(), 13.0f, juce::Font::plain).getTypefacePtr(),
               EmbeddedFonts::getTahomaTypeface (false));
}

TEST (DefaultLookAndFeel, TooltipIsTheTextWidthPlus12By20)
{
    DefaultLookAndFeel lookAndFeel;
    const auto bounds = lookAndFeel.getTooltipBounds ("Options", { 10, 10 }, { 0, 0, 800, 600 });

    EXPECT_EQ (bounds.getWidth(), juce::Font ("Tahoma", 13.0f, juce::Font::plain).getStringWidth ("Options") + 12);
    EXPECT_EQ (bounds.getHeight(), 20);
    EXPECT_TRUE (juce::Rectangle<int> (0, 0, 800, 600).contains (bounds));
}

TEST (DefaultLookAndFeel, VerticalScrollBarThumbIsNinePixelsWideTwoFromEachSide)
{
    DefaultLookAndFeel lookAndFeel;
    juce::ScrollBar bar (true);
    bar.setLookAndFeel (&lookAndFeel);
    bar.setBounds (0, 0, 13, 200);
    bar.setRangeLimits (0.0, 100.0);
    bar.setCurrentRange (0.0, 50.0);

    const auto image = bar.createComponentSnapshot (bar.getLocalBounds(), false);
    const auto thumb = lookAndFeel.findColour (juce::ScrollBar::thumbColourId);
    const int y = bar.getHeight() / 4;
    bar.setLookAndFeel (nullptr);

    for (int x = 0; x < 13; ++x)
    {
        SCOPED_TRACE (x);
        EXPECT_EQ (image.getPixelAt (x, y) == thumb, x >= 2 && x <= 10);
    }
}

TEST (EmbeddedImages, EveryImageHasItsSize)
{
    struct Case
    {
        juce::Image image;
        int width, height;
    };

    std::vector<Case> cases { { EmbeddedImages::getCheckBox (false), 15, 14 },
                              { EmbeddedImages::getCheckBox (true), 15, 14 },
                              { EmbeddedImages::getRadioButton (false), 15, 14 },
                              { EmbeddedImages::getRadioButton (true), 15, 14 },
                              { EmbeddedImages::getWindowTitleIcon(), 24, 24 },
                              { EmbeddedImages::getWindowShadow (EmbeddedImages::shadowTop), 40, 10 },
                              { EmbeddedImages::getWindowShadow (EmbeddedImages::shadowBottom), 40, 10 },
                              { EmbeddedImages::getWindowShadow (EmbeddedImages::shadowLeft), 10, 40 },
                              { EmbeddedImages::getWindowShadow (EmbeddedImages::shadowRight), 10, 40 } };

    for (int kind = 0; kind < EmbeddedImages::numImageButtonKinds; ++kind)
        for (const bool pressed : { false, true })
        {
            cases.push_back ({ EmbeddedImages::getImageButton (kind, 0, pressed), 27, 27 });
            cases.push_back ({ EmbeddedImages::getImageButton (kind, 2, pressed), 43, 43 });
        }

    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (cases[i].image.getWidth(), cases[i].width);
        EXPECT_EQ (cases[i].image.getHeight(), cases[i].height);
    }

    // Decoded once: a second request shares the first one's pixels.
    EXPECT_EQ (EmbeddedImages::getCheckBox (true).getPixelData(), EmbeddedImages::getCheckBox (true).getPixelData());
    EXPECT_EQ (EmbeddedImages::getTextButtonPart (0, EmbeddedImages::middle).getPixelData(),
               EmbeddedImages::getTextButtonPart (0, EmbeddedImages::middle).getPixelData());

    EXPECT_FALSE (EmbeddedImages::getImageButton (17, 0, false).isValid());
    EXPECT_FALSE (EmbeddedImages::getImageButton (-1, 0, false).isValid());
    EXPECT_FALSE (EmbeddedImages::getWindowShadow (EmbeddedImages::noShadow).isValid());
}

TEST (EmbeddedImages, TextButtonSetsAreCompleteAndShareTheirHeight)
{
    for (const int style : { 1, 2 })
    {
        SCOPED_TRACE (style);
        const int height = style == 2 ? 32 : 28;

        for (int part = 0; part < EmbeddedImages::numTextButtonParts; ++part)
        {
            const auto image = EmbeddedImages::getTextButtonPart (style, (EmbeddedImages::TextButtonPart) part);
            ASSERT_TRUE (image.isValid()) << "part " << part << " is missing";
            EXPECT_EQ (image.getHeight(), height) << part;
        }
    }
}

TEST (DefaultLookAndFeel, ImageButtonsTakeTheKindsImagesAndSize)
{
    DefaultLookAndFeel lookAndFeel;
    auto button = lookAndFeel.createImageButton ("Clear All", 12);

    EXPECT_EQ (button->getName(), "Clear All");
    EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (27, 27));
    EXPECT_TRUE (button->getNormalImage().isValid());
    EXPECT_TRUE (button->getDownImage().isValid());
    EXPECT_NE (button->getDownImage(), button->getNormalImage());

    lookAndFeel.setImageButtonImages (*button, 99, 1);
    EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (27, 27));
    lookAndFeel.setImageButtonImages (*button, 0, 2);
    EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (43, 43));
}
