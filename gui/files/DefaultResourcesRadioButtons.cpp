#include "gui/files/DefaultResourcesRadioButtons.h"

DefaultResourcesRadioButtons::DefaultResourcesRadioButtons (const juce::String& title, const juce::StringArray& choices)
    : RadioButtons (title, choices)
{
    // The field is as tall as its button, whose size the look and feel decides.
    pathComponent.getBrowseButton().addComponentListener (this);
    addAndMakeVisible (pathComponent);
    selectedIndexChanged();
    updateLayout();
}

DefaultResourcesRadioButtons::~DefaultResourcesRadioButtons()
{
    pathComponent.getBrowseButton().removeComponentListener (this);
}

bool DefaultResourcesRadioButtons::isUserChoiceSelected() const
{
    return getNumChoices() > 0 && getSelectedIndex() == getNumChoices() - 1;
}

void DefaultResourcesRadioButtons::selectedIndexChanged()
{
    pathComponent.setEnabled (isUserChoiceSelected());
}

// Centred on the last choice's row, from just after its text to the right
// margin, which mirrors the buttons' margin on the left.
juce::Rectangle<int> DefaultResourcesRadioButtons::getPathArea() const
{
    const int last = getNumChoices() - 1;

    if (last < 0)
        return {};

    const auto row = getChoiceTextBounds (last);
    const int x = row.getX() + getChoiceTextWidth (last) + gap;
    const int right = getWidth() - (getButton (last)->getX() - 1);
    const int height = pathComponent.getBrowseButton().getHeight();
    return { x, row.getCentreY() - height / 2, juce::jmax (0, right - x), height };
}

void DefaultResourcesRadioButtons::updateLayout()
{
    RadioButtons::updateLayout();

    if (getNumChoices() == 0)
        return;

    // Keep the group's own margin below the last row under the field too.
    const int margin = getHeight() - getChoiceTextBounds (getNumChoices() - 1).getBottom();
    const int needed = getPathArea().getBottom() + margin;

    if (needed > getHeight())
        setSize (getWidth(), needed);

    resized();
}

void DefaultResourcesRadioButtons::resized()
{
    pathComponent.setBounds (getPathArea());
}

void DefaultResourcesRadioButtons::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        updateLayout();
}
