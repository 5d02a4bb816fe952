#include "gui/windows/AlertWindow.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedFonts.h"

namespace Brannock
{
namespace
{
constexpr int gapAboveButtons = 10;
constexpr int buttonSpacing = 4;
} // namespace

AlertWindow::AlertWindow (const juce::String& title, const juce::String& text, Caller* alertCaller)
    : caller (alertCaller)
{
    setTitle (title);
    message.setJustificationType (juce::Justification::centredLeft);
    message.setBorderSize ({});
    message.setFont (EmbeddedFonts::getTahoma (13.0f, false));
    message.setColour (juce::Label::textColourId, juce::Colours::black);
    buttonRow.setSpacing (buttonSpacing);
    buttonRow.setAlignment (ComponentRow::alignEnd);
    addAndMakeVisible (message);
    addAndMakeVisible (buttonRow);
    setMessage (text);
}

std::unique_ptr<AlertWindow> AlertWindow::askYesNo (const juce::String& title, const juce::String& text,
                                                    Caller* caller)
{
    auto window = std::make_unique<AlertWindow> (title, text, caller);
    window->addButton ("Yes", 1);
    window->addButton ("No", 0);
    return window;
}

void AlertWindow::setMessage (const juce::String& text)
{
    messageText = text;
    message.setText (text, juce::dontSendNotification);
    updateSize();
}

void AlertWindow::addButton (const juce::String& text, int result)
{
    auto* button = buttons.add (new TextButtonEx (text));
    button->onClick = [this, result] { buttonClicked (result); };
    buttonRow.addAndMakeVisible (button);
    updateSize();
}

void AlertWindow::showOver (juce::Component& owner)
{
    if (getParentComponent() == nullptr)
        owner.addChildComponent (this);

    show();
}

void AlertWindow::buttonClicked (int result)
{
    hide();

    if (caller != nullptr)
        caller->alertWindowFinished (this, result);
}

void AlertWindow::updateSize()
{
    const auto font = message.getFont();
    const auto lines = juce::StringArray::fromLines (messageText);
    int textWidth = 0;

    for (const auto& line : lines)
        textWidth = juce::jmax (textWidth, font.getStringWidth (line));

    const int textHeight = juce::roundToInt (std::ceil (font.getHeight() * (float) lines.size()));
    setContentSize (juce::jmax (textWidth, buttonRow.getWidth()), textHeight + buttonRow.getHeight() + gapAboveButtons);
    resized();
}

void AlertWindow::resized()
{
    WindowComponent::resized();
    const auto content = getContentArea();
    buttonRow.setTopLeftPosition (content.getRight() - buttonRow.getWidth(), content.getBottom() - buttonRow.getHeight());
    message.setBounds (content.withTrimmedBottom (buttonRow.getHeight()));
}

void AlertWindow::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        message.setFont (lookAndFeel->getPlainFont());

    WindowComponent::lookAndFeelChanged();
    updateSize();
}
// The buttons take their look-and-feel size after this window has taken its
// own, and the row follows them.
void AlertWindow::childBoundsChanged (juce::Component* child)
{
    if (child == &buttonRow)
        updateSize();
}
} // namespace Brannock
