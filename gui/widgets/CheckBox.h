#pragma once

#include "gui/widgets/ImageToggleButton.h"

// A box that can be ticked, with a text to its right. It sizes itself to the
// box, the gap and the text.
class CheckBox : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void checkBoxChanged (CheckBox*) = 0;
    };

    explicit CheckBox (const juce::String& text = {});

    void setText (const juce::String& text);
    const juce::String& getText() const { return text; }

    bool isTicked() const;
    void setTicked (bool ticked, juce::NotificationType notification);

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void enablementChanged() override;

private:
    void updateSize();
    void notifyListeners();

    ImageToggleButton box { "CheckBox" };
    juce::String text;
    juce::Font font { 13.0f };
    int gap = 5;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckBox)
};
