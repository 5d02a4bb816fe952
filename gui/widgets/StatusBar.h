#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// One line of text along the bottom of the editor. A message replaces the
// shown one only when its text differs and its priority is at least the
// shown priority; it stays until its time-out, a clear, or such a message.
class StatusBar : public juce::Component, private juce::Timer
{
public:
    // The priorities in use, lowest first.
    enum Priority
    {
        settingsNotePriority = 4,
        midiFeedbackPriority = 5,
        controlFeedbackPriority = 6,
        midiLearnPriority = 7
    };

    static constexpr int defaultTimeOutMs = 3000;
    static constexpr int noTimeOut = 0;

    StatusBar();

    void showMessage (const juce::String& text, int priority, int timeOutMs = noTimeOut);
    void clear();

    const juce::String& getText() const { return text; }
    int getPriority() const { return priority; }
    const juce::Font& getFont() const { return font; }

    void paint (juce::Graphics&) override;
    void lookAndFeelChanged() override;

private:
    void timerCallback() override;

    juce::String text;
    int priority = 0;
    juce::Font font;
    static constexpr int ownHeight = 16;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBar)
};
