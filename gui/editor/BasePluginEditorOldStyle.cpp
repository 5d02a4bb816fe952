#include "gui/editor/BasePluginEditorOldStyle.h"

#include "gui/editor/MidiControlComponent.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "presets/BasePluginOldStyle.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle& plugin)
    : BasePluginEditor (plugin), oldStylePlugin (plugin)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findChildByName ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    // Map files of older versions open too.
    getMidiControlTab()->setFilePatterns (plugin.getMidiMapOpenPattern());

    presetBrowserWindow = std::make_unique<OldStylePresetBrowserWindow> (plugin);
    presetBrowserWindow->setSize (OldStylePresetBrowserWindow::defaultWidth, OldStylePresetBrowserWindow::defaultHeight);
    addChildComponent (*presetBrowserWindow);

    // At index 0 it becomes the current tab.
    auto tab = std::make_unique<PresetsSettingsComponent> (plugin);
    presetsTab = tab.get();
    presetsTab->getDefaultPresetsGroup().addListener (this);
    getOptionsWindow().addTab ("Presets", tab.release(), 0);

    showStartUpBankNote();
}

BasePluginEditorOldStyle::~BasePluginEditorOldStyle()
{
    presetsTab->getDefaultPresetsGroup().removeListener (this);

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

// Each host window that opens the editor shows the note again: the
// instance still runs on the factory presets.
void BasePluginEditorOldStyle::visibilityChanged()
{
    BasePluginEditor::visibilityChanged();

    if (isVisible())
        showStartUpBankNote();
}

void BasePluginEditorOldStyle::showStartUpBankNote()
{
    if (oldStylePlugin.getStartUpBankFailure().failed())
        getStatusBar().showMessage (startUpBankNote, StatusBar::settingsNotePriority);
}

void BasePluginEditorOldStyle::displayTextChanged (GFXDisplay* display)
{
    oldStylePlugin.renamePreset (oldStylePlugin.getCurrentPreset(), display->getText());
}
