// DefaultLookAndFeel: the image buttons and text buttons it makes and dresses.

#include "gui/look/DefaultLookAndFeel.h"

#include "gui/look/EmbeddedImages.h"
#include "gui/widgets/TextButtonEx.h"

std::unique_ptr<juce::ImageButton> DefaultLookAndFeel::createImageButton (const juce::String& name, int kind, int style)
{
    auto button = std::make_unique<juce::ImageButton> (name);
    setImageButtonImages (*button, kind, style);
    return button;
}

std::unique_ptr<juce::ImageButton> DefaultLookAndFeel::createImageButton (const juce::String& name, int kind)
{
    return createImageButton (name, kind, getDefaultImageButtonStyle());
}

void DefaultLookAndFeel::setImageButtonImages (juce::ImageButton& button, int kind, int style)
{
    const auto normal = EmbeddedImages::getImageButton (kind, style, false);

    if (! normal.isValid())
        return;

    const auto pressed = EmbeddedImages::getImageButton (kind, style, true);
    const auto none = juce::Colours::transparentBlack;

    button.setImages (true, true, true, normal, 1.0f, none, {}, 1.0f, none, pressed, 1.0f, none);
}

std::unique_ptr<TextButtonEx> DefaultLookAndFeel::createTextButton (const juce::String& text, int style)
{
    auto button = std::make_unique<TextButtonEx> (text, style);
    button->setFont (boldFont);
    setTextButtonImages (*button, style);
    return button;
}

std::unique_ptr<TextButtonEx> DefaultLookAndFeel::createTextButton (const juce::String& text)
{
    return createTextButton (text, getDefaultTextButtonStyle());
}

void DefaultLookAndFeel::setTextButtonImages (TextButtonEx& button, int style)
{
    if (style < 0 || style > 2)
        return;

    using Part = EmbeddedImages::TextButtonPart;
    const auto part = [style] (Part p) { return EmbeddedImages::getTextButtonPart (style, p); };

    button.setImages ({ part (EmbeddedImages::leftCap), part (EmbeddedImages::middle), part (EmbeddedImages::rightCap),
                        part (EmbeddedImages::leftCapPressed), part (EmbeddedImages::middlePressed),
                        part (EmbeddedImages::rightCapPressed), part (EmbeddedImages::overlay) });
}
