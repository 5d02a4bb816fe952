#pragma once

#include "gui/controls/GFXDisplay.h"
#include "gui/editor/BasePluginEditor.h"
#include "gui/editor/PresetsSettingsComponent.h"
#include "gui/widgets/RadioButtons.h"

class BasePluginOldStyle;
class OldStylePresetBrowserWindow;

// The editor of plug-ins with a preset bank: the preset name display renames
// the current preset, "Browse presets" opens the preset browser, and the
// options window gets its "Presets" tab, in front of "Midi Control". When
// the user's bank file could not fill the bank at start-up, the status bar
// says so whenever the editor is shown.
class BasePluginEditorOldStyle : public BasePluginEditor,
                                 public RadioButtons::Listener,
                                 public GFXDisplayListener
{
public:
    // The "Presets" page of the options window.
    using PresetsSettingsComponent = ::PresetsSettingsComponent;

    static constexpr const char* startUpBankNote =
        "Default Presets: the user defined bank could not be loaded; the factory presets were loaded instead.";

    explicit BasePluginEditorOldStyle (BasePluginOldStyle& plugin);
    ~BasePluginEditorOldStyle() override;

    void visibilityChanged() override;

    void actionTriggered (GUIController* control, int eventId) override;
    // The default-presets choice of the "Presets" tab.
    void radioButtonsChanged (RadioButtons* radioButtons) override;
    // An edit of the preset name renames the current preset.
    void displayTextChanged (GFXDisplay* display) override;

    BasePluginOldStyle& getOldStylePlugin() const noexcept { return oldStylePlugin; }
    GFXDisplay* getPresetNameDisplay() const noexcept { return presetNameDisplay; }
    OldStylePresetBrowserWindow* getPresetBrowserWindow() const noexcept { return presetBrowserWindow.get(); }
    PresetsSettingsComponent* getPresetsTab() const noexcept { return presetsTab; }

private:
    void showStartUpBankNote();

    BasePluginOldStyle& oldStylePlugin;
    GFXDisplay* presetNameDisplay = nullptr;
    std::unique_ptr<OldStylePresetBrowserWindow> presetBrowserWindow;
    PresetsSettingsComponent* presetsTab = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditorOldStyle)
};
