#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// JUCE's tabbed component with the tabs along the top, the tab bar depth of
// the framework's look and feel, a filled and outlined content panel, and
// listeners told when the current tab changes.
class TabbedComponentEx : public juce::TabbedComponent
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void currentTabChanged (TabbedComponentEx*) = 0;
    };

    TabbedComponentEx();

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName) override;

private:
    juce::Path panelOutline;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TabbedComponentEx)
};
