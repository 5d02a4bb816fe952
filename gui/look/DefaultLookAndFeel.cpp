#include "gui/look/DefaultLookAndFeel.h"

#include "gui/look/EmbeddedFonts.h"
#include "gui/look/EmbeddedImages.h"
#include "gui/look/FrameworkColours.h"

namespace
{
constexpr float fontHeight = 13.0f;
} // namespace

DefaultLookAndFeel::DefaultLookAndFeel()
{
    EmbeddedFonts::install();
    setColourTable();
    buildArrowShapes();
    plainFont = EmbeddedFonts::getTahoma (fontHeight, false);
    boldFont = EmbeddedFonts::getTahoma (fontHeight, true);
}

DefaultLookAndFeel::~DefaultLookAndFeel()
{
    EmbeddedFonts::release();
}

void DefaultLookAndFeel::setColourTable()
{
    setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colour (0xFF000000));
    setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xFF808080));
    setColour (juce::TooltipWindow::outlineColourId, juce::Colour (0xFF444444));
    setColour (juce::TooltipWindow::textColourId, juce::Colour (0xFF000000));
    setColour (juce::ScrollBar::thumbColourId, juce::Colour (0xFF6E6E6E));
    setColour (juce::ScrollBar::trackColourId, juce::Colour (0xFFCCCCCC));

    // Four low ids the framework has always set; nothing here reads them.
    setColour (0, juce::Colour (0xFF000000));
    setColour (1, juce::Colour (0xFFFFFFFF));
    setColour (2, juce::Colour (0xFFFFFFFF));
    setColour (3, juce::Colour (0xFFFFFF00));

    for (const auto& [id, colour] : FrameworkColours::getDefaults())
        setColour (id, colour);
}

void DefaultLookAndFeel::buildArrowShapes()
{
    juce::Path up;
    up.startNewSubPath (4.0f, 11.0f);
    up.lineTo (4.0f, 8.0f);
    up.lineTo (1.75f, 8.0f);
    up.lineTo (6.5f, 1.6f);
    up.lineTo (11.25f, 8.0f);
    up.lineTo (9.0f, 8.0f);
    up.lineTo (9.0f, 11.0f);
    up.closeSubPath();

    for (int quarterTurns = 0; quarterTurns < 4; ++quarterTurns)
    {
        arrows[(size_t) quarterTurns] = up;
        arrows[(size_t) quarterTurns].applyTransform (
            juce::AffineTransform::rotation ((float) quarterTurns * juce::MathConstants<float>::halfPi, 6.5f, 6.5f));
    }
}

const juce::Path& DefaultLookAndFeel::getArrowShape (int direction) const
{
    return arrows[(size_t) juce::jlimit (0, 3, direction)];
}

juce::Typeface::Ptr DefaultLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    if (auto face = EmbeddedFonts::findTypefaceFor (font))
        return face;

    return juce::LookAndFeel_V2::getTypefaceForFont (font);
}

juce::Image DefaultLookAndFeel::getCheckBoxOffImage() { return EmbeddedImages::getCheckBox (false); }
juce::Image DefaultLookAndFeel::getCheckBoxOnImage() { return EmbeddedImages::getCheckBox (true); }
juce::Font DefaultLookAndFeel::getCheckBoxFont() { return plainFont; }
int DefaultLookAndFeel::getCheckBoxTextGap() { return 5; }
juce::Image DefaultLookAndFeel::getRadioButtonOffImage() { return EmbeddedImages::getRadioButton (false); }
juce::Image DefaultLookAndFeel::getRadioButtonOnImage() { return EmbeddedImages::getRadioButton (true); }
juce::Font DefaultLookAndFeel::getRadioGroupTitleFont() { return boldFont; }
juce::Font DefaultLookAndFeel::getRadioButtonFont() { return plainFont; }
int DefaultLookAndFeel::getRadioGroupTitleInset() { return 13; }
int DefaultLookAndFeel::getRadioGroupTitleGap() { return 4; }
int DefaultLookAndFeel::getRadioGroupLeftMargin() { return 6; }
int DefaultLookAndFeel::getRadioGroupSpacing() { return 2; }
int DefaultLookAndFeel::getRadioGroupRowHeight() { return 20; }
float DefaultLookAndFeel::getRadioGroupCornerSize() { return 4.0f; }
int DefaultLookAndFeel::getRadioButtonTextGap() { return 6; }
juce::Font DefaultLookAndFeel::getPanelTitleFont() { return boldFont; }
int DefaultLookAndFeel::getPanelTitleHeight() { return 13; }
float DefaultLookAndFeel::getPanelCornerSize() { return 4.0f; }
juce::BorderSize<int> DefaultLookAndFeel::getPanelBorder() { return { 18, 8, 8, 8 }; }
juce::Font DefaultLookAndFeel::getTabFont() { return boldFont; }
int DefaultLookAndFeel::getTabBarDepth() { return 23; }
int DefaultLookAndFeel::getTabIndent() { return 8; }
juce::Font DefaultLookAndFeel::getStatusBarFont() { return plainFont; }
int DefaultLookAndFeel::getStatusBarHeight() { return 16; }
int DefaultLookAndFeel::getDefaultImageButtonStyle() { return 1; }
int DefaultLookAndFeel::getDefaultTextButtonStyle() { return 1; }
