#pragma once

#include "gui/files/DefaultResourcesRadioButtons.h"
#include "gui/widgets/RadioButtons.h"

class BasePluginOldStyle;

// The "Presets" page of the options window: how edits are stored into the
// current preset, how a preset change is applied, and which presets fill
// the bank when an instance starts (with the user's bank file). It shows the
// plug-in's settings once, when it is created, and from then on is the only
// place that changes them; every change takes effect at once. When the
// user's bank file could not fill the bank at start-up, a note under its path
// says why, while that file is the one chosen.
class PresetsSettingsComponent : public juce::Component,
                                 private RadioButtons::Listener,
                                 private PathComponent::Listener
{
public:
    static constexpr const char* startUpNoteText = "Not loaded at start-up; the factory presets were loaded instead:";

    explicit PresetsSettingsComponent (BasePluginOldStyle& plugin);
    ~PresetsSettingsComponent() override;

    RadioButtons& getStoringGroup() { return storingGroup; }
    RadioButtons& getChangingGroup() { return changingGroup; }
    // The editor listens to this group too, to note that the choice counts
    // from the next start.
    DefaultResourcesRadioButtons& getDefaultPresetsGroup() { return defaultPresetsGroup; }
    PathComponent& getUserBankPath() { return defaultPresetsGroup.getPathComponent(); }
    juce::Label& getStartUpNote() { return startUpNote; }

    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void lookAndFeelChanged() override;

private:
    void radioButtonsChanged (RadioButtons*) override;
    void pathChanged (PathComponent*) override;
    void showSettings();
    void initialiseStartUpNote();
    void updateStartUpNote();
    juce::Rectangle<int> getContentArea() const;

    static constexpr int groupGap = 10;

    BasePluginOldStyle& plugin;
    RadioButtons storingGroup { "Preset storing", { "Automatic", "On demand" } };
    RadioButtons changingGroup { "Changing type", { "Normal", "Silent" } };
    DefaultResourcesRadioButtons defaultPresetsGroup { "Default presets",
                                                       { "Factory presets", "Clear presets", "User defined" } };
    juce::Label startUpNote;
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetsSettingsComponent)
};
