#pragma once

#include "gui/widgets/TabbedComponentEx.h"
#include "gui/windows/WindowComponent.h"

// The editor's options: a window holding a tabbed component that fills its
// content area. It dims the editor beneath it. In flat style it has no
// rounded corners, title bar or outline, for docking below the face.
class OptionsWindow : public WindowComponent
{
public:
    static constexpr juce::uint32 tabColour = 0xFFC5C5C5;

    OptionsWindow();

    // The tabs own their components. A tab inserted at index 0 becomes the
    // current one; index -1 appends.
    void addTab (const juce::String& name, juce::Component* component, int index = -1);

    void setFlatStyle (bool shouldBeFlat);
    bool isFlatStyle() const { return flatStyle; }

    TabbedComponentEx& getTabs() { return tabs; }

    bool dimsBackground() const override { return true; }
    void resized() override;

private:
    TabbedComponentEx tabs;
    bool flatStyle = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsWindow)
};
