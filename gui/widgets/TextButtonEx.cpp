#include "gui/widgets/TextButtonEx.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/ImageSets.h"

TextButtonEx::TextButtonEx (const juce::String& text, int buttonStyle)
    : GFXButton (text), style (buttonStyle)
{
    updateSize();
}

void TextButtonEx::setText (const juce::String& text)
{
    setButtonText (text);
    updateSize();
}

void TextButtonEx::setFont (const juce::Font& newFont)
{
    font = newFont;
    updateSize();
}

void TextButtonEx::setImages (const Images& newImages)
{
    images = newImages;
    const bool complete = hasImages();
    leftCapWidth = complete ? images.left.getWidth() : 10;
    rightCapWidth = complete ? images.right.getWidth() : 10;
    buttonHeight = complete ? images.middle.getHeight() : 20;

    updateSize();
}

void TextButtonEx::updateSize()
{
    setSize (leftCapWidth + font.getStringWidth (getButtonText()) + rightCapWidth, buttonHeight);
    repaint();
}

void TextButtonEx::lookAndFeelChanged()
{
    GFXButton::lookAndFeelChanged();

    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        font = lookAndFeel->getBoldFont();
        lookAndFeel->setTextButtonImages (*this, style);
    }

    updateSize();
}

// A text button used without named events keeps the tooltip its owner gave it.
void TextButtonEx::mouseEnter (const juce::MouseEvent& e)
{
    if (hasEvents())
        GFXButton::mouseEnter (e);
    else
        juce::Button::mouseEnter (e);
}

void TextButtonEx::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    if (hasEvents())
        GFXButton::modifierKeysChanged (modifiers);
    else
        juce::Button::modifierKeysChanged (modifiers);
}

void TextButtonEx::paintButton (juce::Graphics& g, bool isHighlighted, bool isDown)
{
    if (! hasImages())
    {
        GFXButton::paintButton (g, isHighlighted, isDown);
        return;
    }

    const bool pressed = isDown && images.leftPressed.isValid() && images.middlePressed.isValid()
                         && images.rightPressed.isValid();
    const int textWidth = getWidth() - leftCapWidth - rightCapWidth;
    const juce::Rectangle<int> middleArea (leftCapWidth, 0, textWidth, getHeight());

    g.setOpacity (isEnabled() ? 1.0f : 0.5f);
    ImageSets::drawSideBySide (g, getLocalBounds(), [&] (juce::Graphics& parts) {
        ImageSets::drawAt (parts, pressed ? images.leftPressed : images.left, 0, 0);
        ImageSets::draw (parts, pressed ? images.middlePressed : images.middle, middleArea.toFloat());
        ImageSets::drawAt (parts, pressed ? images.rightPressed : images.right, middleArea.getRight(), 0);
    });

    g.setColour (juce::Colours::black.withMultipliedAlpha (isEnabled() ? 1.0f : 0.5f));
    g.setFont (font);
    g.drawText (getButtonText(), middleArea, juce::Justification::centred, false);

    if (images.overlay.isValid())
    {
        g.setOpacity (isEnabled() ? 1.0f : 0.5f);
        ImageSets::draw (g, images.overlay, middleArea.toFloat());
    }
}
