#pragma once

#include "gui/widgets/ComponentRow.h"
#include "gui/widgets/TextButtonEx.h"
#include "gui/windows/WindowComponent.h"

namespace Brannock
{
// A message with a row of buttons in a pseudo-modal window. A click on a
// button hides the window and tells the caller that button's result; the
// close button only hides it.
class AlertWindow : public WindowComponent
{
public:
    class Caller
    {
    public:
        virtual ~Caller() = default;
        virtual void alertWindowFinished (AlertWindow*, int result) = 0;
    };

    AlertWindow (const juce::String& title, const juce::String& message, Caller* caller);

    // A question with "Yes" (result 1) and "No" (result 0). The window is
    // not shown yet: see showOver.
    static std::unique_ptr<AlertWindow> askYesNo (const juce::String& title, const juce::String& message,
                                                  Caller* caller);

    void setMessage (const juce::String& message);
    const juce::String& getMessage() const { return messageText; }
    void addButton (const juce::String& text, int result);
    TextButtonEx* getButton (int index) const { return buttons[index]; }

    // Puts the window into owner, a component inside the editor, unless it
    // is already there or elsewhere, and shows it centred over the editor.
    void showOver (juce::Component& owner);

    void resized() override;
    void lookAndFeelChanged() override;
    void childBoundsChanged (juce::Component* child) override;

private:
    void buttonClicked (int result);
    void updateSize();

    juce::String messageText;
    juce::Label message;
    ComponentRow buttonRow;
    juce::OwnedArray<TextButtonEx> buttons;
    Caller* caller;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AlertWindow)
};
} // namespace Brannock
