// DefaultLookAndFeel: the replaced drawing of JUCE's own widgets.

#include "gui/look/DefaultLookAndFeel.h"

#include "gui/look/FrameworkColours.h"
#include "gui/look/ImageSets.h"

namespace
{
constexpr float scrollBarCorner = 4.0f;

juce::Colour faded (juce::Colour colour, bool enabled)
{
    return enabled ? colour : colour.withMultipliedAlpha (0.5f);
}
} // namespace

void DefaultLookAndFeel::drawProgressBar (juce::Graphics&, juce::ProgressBar&, int, int, double, const juce::String&)
{
}

void DefaultLookAndFeel::drawScrollbarButton (juce::Graphics& g, juce::ScrollBar& bar, int width, int height,
                                              int buttonDirection, bool, bool, bool isDown)
{
    const auto thumb = bar.findColour (juce::ScrollBar::thumbColourId);
    g.setColour (faded (isDown ? juce::Colours::black : thumb, bar.isEnabled()));
    g.fillPath (getArrowShape (buttonDirection),
                juce::AffineTransform::scale ((float) width / 13.0f, (float) height / 13.0f));
}

void DefaultLookAndFeel::drawScrollbar (juce::Graphics& g, juce::ScrollBar& bar, int x, int y, int width, int height,
                                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize, bool,
                                        bool isMouseDown)
{
    const auto background = bar.findColour (juce::ScrollBar::backgroundColourId);

    if (! background.isTransparent())
    {
        g.setColour (background);
        g.fillRect (x, y, width, height);
    }

    const bool enabled = bar.isEnabled();
    g.setColour (faded (bar.findColour (juce::ScrollBar::trackColourId), enabled));
    g.fillRoundedRectangle (juce::Rectangle<int> (x, y, width, height).toFloat(), scrollBarCorner);

    if (thumbSize <= 0)
        return;

    const auto thumb = isScrollbarVertical ? juce::Rectangle<int> (x + 2, thumbStartPosition, width - 4, thumbSize)
                                           : juce::Rectangle<int> (thumbStartPosition, y + 2, thumbSize, height - 4);

    g.setColour (faded (isMouseDown ? juce::Colours::black : bar.findColour (juce::ScrollBar::thumbColourId), enabled));
    g.fillRoundedRectangle (thumb.toFloat(), scrollBarCorner);
}

int DefaultLookAndFeel::getDefaultScrollbarWidth()
{
    return 13;
}

int DefaultLookAndFeel::getScrollbarButtonSize (juce::ScrollBar&)
{
    return 13;
}

void DefaultLookAndFeel::drawTreeviewPlusMinusBox (juce::Graphics& g, const juce::Rectangle<float>& area,
                                                   juce::Colour, bool isOpen, bool)
{
    const float x = area.getX(), y = area.getY(), w = area.getWidth(), h = area.getHeight();
    juce::Path triangle;

    if (isOpen)
        triangle.addTriangle (x + 3.0f, y + 4.0f, x + w - 1.0f, y + 4.0f, x + w / 2.0f + 1.0f, y + h - 4.0f);
    else
        triangle.addTriangle (x + 4.0f, y + 3.0f, x + 4.0f, y + h - 3.0f, x + w - 2.0f, y + h / 2.0f);

    g.setColour (juce::Colour (0xFF808080));
    g.fillPath (triangle);
}

void DefaultLookAndFeel::drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor&)
{
    // In whatever colour the context holds: black for a fresh paint call.
    g.drawRect (0, 0, width, height, 1);
}

void DefaultLookAndFeel::drawFileBrowserRow (juce::Graphics&, int, int, const juce::File&, const juce::String&,
                                             juce::Image*, const juce::String&, const juce::String&, bool, bool, int,
                                             juce::DirectoryContentsDisplayComponent&)
{
}

void DefaultLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (0, 0, box.getWidth() - 20, box.getHeight());
    label.setFont (getComboBoxFont (box));
}

juce::Rectangle<int> DefaultLookAndFeel::getTooltipSize (const juce::String& text)
{
    return { plainFont.getStringWidth (text) + 12, juce::roundToInt (plainFont.getHeight()) + 7 };
}

juce::Rectangle<int> DefaultLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                           juce::Rectangle<int> parentArea)
{
    const auto size = getTooltipSize (tipText);
    const int w = size.getWidth(), h = size.getHeight();

    // Below and to the right of the pointer, or above and to the left of it
    // in the far half of the area.
    return juce::Rectangle<int> (screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24,
                                 screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6) : screenPos.y + 6, w, h)
        .constrainedWithin (parentArea);
}

void DefaultLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const auto bounds = juce::Rectangle<int> (width, height).toFloat().reduced (1.0f);

    g.setColour (findColour (juce::TooltipWindow::backgroundColourId));
    g.fillRoundedRectangle (bounds, 3.5f);
    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRoundedRectangle (bounds, 4.0f, 1.2f);

    g.setColour (findColour (juce::TooltipWindow::textColourId));
    g.setFont (plainFont);
    g.drawText (text, 0, 0, width, height, juce::Justification::centred, true);
}

void DefaultLookAndFeel::drawCornerResizer (juce::Graphics& g, int w, int h, bool, bool)
{
    juce::Path triangle;
    triangle.addTriangle (4.0f, (float) h - 3.0f, (float) w - 3.0f, 4.0f, (float) w - 3.0f, (float) h - 3.0f);
    g.setColour (juce::Colours::black.withAlpha (0.4f));
    g.fillPath (triangle);
}

void DefaultLookAndFeel::drawDocumentWindowTitleBar (juce::DocumentWindow& window, juce::Graphics& g, int w, int h,
                                                     int titleSpaceX, int, const juce::Image*, bool)
{
    g.fillAll (juce::Colour (0xFFCBCBCB));
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font ((float) h * 0.65f));
    g.drawText (window.getName(), titleSpaceX, 0, w - titleSpaceX, h, juce::Justification::centredLeft, true);
}

void DefaultLookAndFeel::positionDocumentWindowButtons (juce::DocumentWindow& window, int titleBarX, int titleBarY,
                                                        int titleBarW, int titleBarH, juce::Button* minimiseButton,
                                                        juce::Button* maximiseButton, juce::Button* closeButton,
                                                        bool onLeft)
{
    juce::LookAndFeel_V2::positionDocumentWindowButtons (window, titleBarX, titleBarY, titleBarW, titleBarH,
                                                         minimiseButton, maximiseButton, nullptr, onLeft);
    if (closeButton == nullptr)
        return;

    if (closeButton->getWidth() <= 0 || closeButton->getHeight() <= 0)
        closeButton->setSize (titleBarH - 6, titleBarH - 6);

    closeButton->setTopLeftPosition (window.getWidth() - closeButton->getWidth() - 1,
                                     (titleBarH - closeButton->getHeight()) / 2 + 3);
}

void DefaultLookAndFeel::createTabButtonShape (juce::TabBarButton& button, juce::Path& p, bool, bool)
{
    // Tabs along the top: a rounded rectangle whose bottom corners hide
    // below the bar.
    const auto area = button.getActiveArea();
    p.addRoundedRectangle (4.5f, 0.5f, (float) area.getWidth() - 4.0f, (float) area.getHeight() + 4.0f, 4.0f);
}

void DefaultLookAndFeel::fillTabButtonShape (juce::TabBarButton& button, juce::Graphics& g, const juce::Path& path,
                                             bool, bool)
{
    const auto fill = button.getTabBackgroundColour();
    g.setColour (button.isFrontTab() ? fill : fill.withMultipliedAlpha (0.66f));
    g.fillPath (path);

    g.setColour (faded (FrameworkColours::find (button, FrameworkColours::tabOutline), button.isEnabled()));
    g.strokePath (path, juce::PathStrokeType (1.0f));
}

void DefaultLookAndFeel::drawTabButtonText (juce::TabBarButton& button, juce::Graphics& g, bool, bool)
{
    drawTabText (button, g, button.getTextArea());
}

void DefaultLookAndFeel::drawTabText (juce::TabBarButton& button, juce::Graphics& g, juce::Rectangle<int> area)
{
    const auto id = button.isFrontTab() ? FrameworkColours::frontTabText : FrameworkColours::tabOutline;
    g.setColour (faded (FrameworkColours::find (button, id), button.isEnabled()));
    g.setFont (getTabButtonFont (button, (float) area.getHeight()));
    g.drawText (button.getButtonText().trim(), area, juce::Justification::centred, true);
}

juce::Font DefaultLookAndFeel::getTabButtonFont (juce::TabBarButton&, float)
{
    return boldFont;
}

int DefaultLookAndFeel::getTabButtonOverlap (int)
{
    return 4;
}

int DefaultLookAndFeel::getTabButtonSpaceAroundImage()
{
    return 1;
}

int DefaultLookAndFeel::getTabButtonBestWidth (juce::TabBarButton& button, int)
{
    return boldFont.getStringWidth (button.getButtonText().trim()) + 30;
}

void DefaultLookAndFeel::drawTabButton (juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver,
                                        bool isMouseDown)
{
    juce::Path shape;
    createTabButtonShape (button, shape, isMouseOver, isMouseDown);

    const auto active = button.getActiveArea();
    shape.applyTransform (juce::AffineTransform::translation ((float) active.getX(), (float) active.getY()));
    fillTabButtonShape (button, g, shape, isMouseOver, isMouseDown);

    const int overlap = getTabButtonOverlap (button.getHeight());
    drawTabText (button, g, { overlap + overlap / 2, 0, button.getWidth() - 2 * overlap, button.getHeight() });
}

void DefaultLookAndFeel::drawTabAreaBehindFrontButton (juce::TabbedButtonBar& bar, juce::Graphics& g, int w, int h)
{
    // The line under the tabs: the top edge of a rounded bar hanging below.
    g.setColour (FrameworkColours::find (bar, FrameworkColours::tabOutline));
    g.fillRoundedRectangle (juce::Rectangle<int> (0, h - 1, w, h + 2).toFloat(), 4.0f);
}

void DefaultLookAndFeel::drawImageButton (juce::Graphics& g, juce::Image* image, int imageX, int imageY, int imageW,
                                          int imageH, const juce::Colour& overlayColour, float imageOpacity,
                                          juce::ImageButton& button)
{
    // JUCE fades a disabled image button to 0.3; this keeps it at 0.42.
    if (! button.isEnabled())
        imageOpacity *= 1.4f;

    // JUCE stretches the image it is given over the button's image area,
    // so the 2x set lands on the same place.
    auto choice = image != nullptr ? ImageSets::choose (g, *image) : ImageSets::Choice();
    juce::LookAndFeel_V2::drawImageButton (g, image != nullptr ? &choice.image : nullptr, imageX, imageY, imageW, imageH,
                                           overlayColour, imageOpacity, button);
}

void DefaultLookAndFeel::drawLevelMeter (juce::Graphics&, int, int, float)
{
}
