#include "gui/windows/WindowComponent.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedFonts.h"
#include "gui/look/FrameworkColours.h"
#include "gui/look/ImageSets.h"

namespace
{
constexpr int outlineInset = 3;
constexpr int contentInset = 5;
constexpr int titleBarInset = 8;
constexpr int titleBarHeight = 28;
constexpr int titleBarSpace = 33;
constexpr float frameCorner = 8.0f;
constexpr int minimumWidth = 250;
constexpr int minimumHeight = 120;
constexpr int closeKind = 0;
constexpr int closeStyle = 1;
} // namespace

WindowComponent::WindowComponent()
    : titleFont (EmbeddedFonts::getTahoma (15.0f, true)),
      titleIcon (EmbeddedImages::getWindowTitleIcon())
{
    const auto normal = EmbeddedImages::getImageButton (closeKind, closeStyle, false);
    const auto pressed = EmbeddedImages::getImageButton (closeKind, closeStyle, true);
    closeButton.setImages (true, true, true, normal, 1.0f, {}, {}, 1.0f, {}, pressed, 1.0f, {});
    closeButton.onClick = [this] { closeButtonClicked(); };
    addAndMakeVisible (closeButton);
}

void WindowComponent::closeButtonClicked()
{
    hide();
}

void WindowComponent::setTitle (const juce::String& newTitle)
{
    title = newTitle;

    if (titleBar)
        repaint();
}

int WindowComponent::getShadowThickness() const
{
    const bool horizontal = shadowSide == EmbeddedImages::shadowTop || shadowSide == EmbeddedImages::shadowBottom;
    return horizontal ? shadowImage.getHeight() : shadowImage.getWidth();
}

void WindowComponent::setContentSize (int width, int height)
{
    const bool sideShadow = shadowSide == EmbeddedImages::shadowLeft || shadowSide == EmbeddedImages::shadowRight;
    const int frame = outline ? 2 * outlineInset : 0;

    width += frame + (sideShadow ? shadowImage.getWidth() : 0) + 2 * contentInset;
    height += frame + (sideShadow ? 0 : shadowImage.getHeight())
              + (titleBar ? titleBarSpace + 2 * contentInset : 2 * contentInset);

    setSize (juce::jmax (minimumWidth, width), juce::jmax (minimumHeight, height));
}

juce::Rectangle<int> WindowComponent::getContentArea() const
{
    auto area = getLocalBounds();

    if (outline)
        area.reduce (outlineInset, outlineInset);

    switch (shadowSide)
    {
        case EmbeddedImages::shadowTop: area.removeFromTop (getShadowThickness()); break;
        case EmbeddedImages::shadowBottom: area.removeFromBottom (getShadowThickness()); break;
        case EmbeddedImages::shadowLeft: area.removeFromLeft (getShadowThickness()); break;
        case EmbeddedImages::shadowRight: area.removeFromRight (getShadowThickness()); break;
        default: break;
    }

    area.reduce (contentInset, contentInset);

    if (titleBar)
        area.removeFromTop (titleBarSpace);

    return area;
}

juce::Rectangle<int> WindowComponent::getTitleBarArea() const
{
    return { titleBarInset, titleBarInset, getWidth() - 2 * titleBarInset, titleBarHeight };
}

juce::Rectangle<int> WindowComponent::getTitleTextArea() const
{
    const int iconWidth = titleIcon.getWidth();
    return { 14 + iconWidth, titleBarInset, getWidth() - closeButton.getWidth() - iconWidth - 28, titleBarHeight };
}

void WindowComponent::setRoundedCorners (bool shouldBeRounded)
{
    roundedCorners = shouldBeRounded;
    frameChanged();
}

void WindowComponent::setHasTitleBar (bool shouldHaveTitleBar)
{
    titleBar = shouldHaveTitleBar;
    frameChanged();
}

void WindowComponent::setHasOutline (bool shouldHaveOutline)
{
    outline = shouldHaveOutline;
    frameChanged();
}

void WindowComponent::setShadowSide (int side)
{
    shadowSide = juce::jlimit ((int) EmbeddedImages::noShadow, (int) EmbeddedImages::shadowRight, side);
    shadowImage = EmbeddedImages::getWindowShadow (shadowSide);
    frameChanged();
}

void WindowComponent::frameChanged()
{
    resized();
    repaint();
}

void WindowComponent::resized()
{
    closeButton.setVisible (titleBar);
    closeButton.setTopLeftPosition (getWidth() - closeButton.getWidth() - 10, titleBarInset);
}

void WindowComponent::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        lookAndFeel->setImageButtonImages (closeButton, closeKind, closeStyle);

    frameChanged();
}

void WindowComponent::paint (juce::Graphics& g)
{
    paintFrame (g);

    if (titleBar)
        paintTitleBar (g);
}

void WindowComponent::paintFrame (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const auto fillArea = outline ? bounds.reduced (1.0f) : bounds;

    g.setColour (FrameworkColours::find (*this, FrameworkColours::windowBackground));

    if (roundedCorners)
        g.fillRoundedRectangle (fillArea, frameCorner);
    else
        g.fillRect (fillArea);

    if (shadowImage.isValid())
    {
        const int thickness = getShadowThickness();
        auto strip = getLocalBounds();

        switch (shadowSide)
        {
            case EmbeddedImages::shadowTop: strip = strip.removeFromTop (thickness); break;
            case EmbeddedImages::shadowBottom: strip = strip.removeFromBottom (thickness); break;
            case EmbeddedImages::shadowLeft: strip = strip.removeFromLeft (thickness); break;
            default: strip = strip.removeFromRight (thickness); break;
        }

        ImageSets::draw (g, shadowImage, strip.toFloat());
    }

    if (outline)
    {
        const float lineWidth = 3.0f;
        g.setColour (FrameworkColours::find (*this, FrameworkColours::windowOutline));

        if (roundedCorners)
            g.drawRoundedRectangle (bounds.reduced (lineWidth / 2.0f), frameCorner, lineWidth);
        else
            g.drawRect (bounds, lineWidth);
    }
}

void WindowComponent::paintTitleBar (juce::Graphics& g)
{
    const auto bar = getTitleBarArea().toFloat();
    const auto lineColour = FrameworkColours::find (*this, FrameworkColours::windowTitleBarOutline);

    g.setColour (FrameworkColours::find (*this, FrameworkColours::windowTitleBarFill));
    g.fillRoundedRectangle (bar.reduced (1.0f), 4.0f);
    g.setColour (lineColour);
    g.drawRoundedRectangle (bar.reduced (0.5f), 5.0f, 1.0f);

    ImageSets::drawAt (g, titleIcon, (int) bar.getX() + 3, (int) bar.getY() + 2);

    g.setFont (titleFont);
    g.drawText (title, getTitleTextArea(), juce::Justification::centredLeft, true);
}
