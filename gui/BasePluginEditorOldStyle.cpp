#include "gui/BasePluginEditorOldStyle.h"

#include "presets/BasePluginOldStyle.h"
#include "presets/OldStylePresetBrowserWindow.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle& plugin)
    : BasePluginEditor (plugin), oldStylePlugin (plugin)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findChildByName ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    presetBrowserWindow = std::make_unique<OldStylePresetBrowserWindow> (plugin);
    presetBrowserWindow->setSize (OldStylePresetBrowserWindow::defaultWidth, OldStylePresetBrowserWindow::defaultHeight);
    addChildComponent (*presetBrowserWindow);

    // Stands in for the "Presets" page until it is written. At index 0 it
    // becomes the current tab.
    auto tab = std::make_unique<juce::Component> ("Presets");
    presetsTab = tab.get();
    getOptionsWindow().addTab ("Presets", tab.release(), 0);
}

BasePluginEditorOldStyle::~BasePluginEditorOldStyle()
{
    if (presetNameDisplay != nullptr)
        presetNameDisplay->removeDisplayListener (this);
}

void BasePluginEditorOldStyle::actionTriggered (GUIController* control, int eventId)
{
    if (eventId == EventsMap::browsePresets)
    {
        presetBrowserWindow->show();
        return;
    }

    BasePluginEditor::actionTriggered (control, eventId);
}

void BasePluginEditorOldStyle::radioButtonsChanged (RadioButtons*)
{
    showSettingsNote ("Default Presets");
}

void BasePluginEditorOldStyle::displayTextChanged (GFXDisplay* display)
{
    oldStylePlugin.renamePreset (oldStylePlugin.getCurrentPreset(), display->getText());
}
