#include "gui/windows/OptionsWindow.h"

OptionsWindow::OptionsWindow()
{
    addAndMakeVisible (tabs);
}

void OptionsWindow::addTab (const juce::String& name, juce::Component* component, int index)
{
    tabs.addTab (name, juce::Colour (tabColour), component, true, index);

    // JUCE keeps the current tab current when one is inserted before it.
    if (index == 0)
        tabs.setCurrentTabIndex (0);
}

void OptionsWindow::setFlatStyle (bool shouldBeFlat)
{
    flatStyle = shouldBeFlat;
    setRoundedCorners (! flatStyle);
    setHasTitleBar (! flatStyle);
    setHasOutline (! flatStyle);
}

void OptionsWindow::resized()
{
    WindowComponent::resized();
    tabs.setBounds (getContentArea());
}
