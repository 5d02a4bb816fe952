#pragma once

#include "gui/files/PathComponent.h"
#include "gui/widgets/RadioButtons.h"

// A radio group whose last choice means "a file of the user's": that file's
// path field sits to the right of the last choice's text, on its row, and
// fills the rest of the group's width. The field is enabled only while the
// last choice is selected; the group grows to fit the field's height.
class DefaultResourcesRadioButtons : public RadioButtons,
                                     private juce::ComponentListener
{
public:
    DefaultResourcesRadioButtons (const juce::String& title, const juce::StringArray& choices);
    ~DefaultResourcesRadioButtons() override;

    PathComponent& getPathComponent() { return pathComponent; }
    bool isUserChoiceSelected() const;

    void resized() override;

protected:
    void updateLayout() override;
    void selectedIndexChanged() override;

private:
    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;
    juce::Rectangle<int> getPathArea() const;

    static constexpr int gap = 6;

    PathComponent pathComponent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultResourcesRadioButtons)
};
