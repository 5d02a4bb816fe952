#pragma once

#include "gui/widgets/ImageToggleButton.h"

// A titled frame holding one radio button per choice, one choice a row,
// with the choice's text to the right of its button. At most one choice is
// selected; -1 means none.
class RadioButtons : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void radioButtonsChanged (RadioButtons*) = 0;
    };

    RadioButtons (const juce::String& title, const juce::StringArray& choices);

    // An index out of range selects nothing. Listeners hear only a change.
    void setSelectedIndex (int index, juce::NotificationType notification);
    int getSelectedIndex() const { return selectedIndex; }

    int getNumChoices() const { return buttons.size(); }
    juce::Button* getButton (int index) const { return buttons[index]; }
    // Where choice index's text is drawn: from the text column to the right
    // edge, one row high.
    juce::Rectangle<int> getChoiceTextBounds (int index) const;
    int getChoiceTextWidth (int index) const;

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics&) override;
    void lookAndFeelChanged() override;

protected:
    // Grows the group to fit its title and choices (it never shrinks its
    // width) and places the buttons.
    virtual void updateLayout();
    // After every change of the selection, told or not, before the listeners.
    virtual void selectedIndexChanged() {}

private:
    struct Metrics
    {
        juce::Font titleFont { 13.0f, juce::Font::bold };
        juce::Font choiceFont { 13.0f };
        int titleInset = 13, titleGap = 4, leftMargin = 6, spacing = 2, rowHeight = 20, textGap = 6;
        float cornerSize = 4.0f;
    };

    int getTitleHeight() const;
    int getFirstRowTop() const;
    int getTextX() const;
    juce::Rectangle<int> getTitleArea() const;
    void buttonClicked (int index);

    juce::String title;
    juce::StringArray choices;
    juce::OwnedArray<ImageToggleButton> buttons;
    Metrics metrics;
    int selectedIndex = -1;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RadioButtons)
};
