#pragma once

#include "framework/EditorZoom.h"
#include "gui/widgets/RadioButtons.h"

// The "Display" page of the options window: the user's zoom of the editor,
// on top of the scale the host or the desktop gives. A choice takes effect
// at once, and the settings file remembers it for the next instance. The
// page follows the zoom when the keyboard steps it.
class DisplaySettingsComponent : public juce::Component,
                                 private RadioButtons::Listener,
                                 private EditorZoom::Listener
{
public:
    explicit DisplaySettingsComponent (EditorZoom& zoom);
    ~DisplaySettingsComponent() override;

    RadioButtons& getZoomGroup() { return zoomGroup; }
    // "100 %" to "200 %", one per step.
    static juce::StringArray getZoomChoices();
    static const juce::String note;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void lookAndFeelChanged() override;

private:
    void radioButtonsChanged (RadioButtons*) override;
    void editorZoomChanged (EditorZoom&) override;
    void showZoom();
    juce::Rectangle<int> getContentArea() const;
    juce::Rectangle<int> getNoteArea() const;

    static constexpr int groupGap = 10;

    EditorZoom& zoom;
    RadioButtons zoomGroup { "Zoom", getZoomChoices() };
    juce::Font noteFont { 13.0f };
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DisplaySettingsComponent)
};
