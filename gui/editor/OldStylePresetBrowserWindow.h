#pragma once

#include "gui/browser/OldStylePresetsBrowser.h"
#include "gui/files/FileAlerts.h"
#include "gui/files/FileDialog.h"
#include "gui/widgets/ComponentRow.h"
#include "gui/widgets/TextButtonEx.h"
#include "gui/windows/WindowComponent.h"

class BasePluginOldStyle;

// The preset browser's window: the group and preset columns, a column of
// image buttons at their left (add and remove a group, copy and paste the
// current preset, previous and next preset) and, below them, the buttons
// that load and save preset and bank files through the file dialog. A file
// that could not be loaded or saved is told in an alert over the editor.
class OldStylePresetBrowserWindow : public WindowComponent,
                                    private ColumnBrowser::Listener
{
public:
    static constexpr int defaultWidth = 639;
    static constexpr int defaultHeight = 350;
    static constexpr int browserGap = 5;
    static constexpr int labelHeight = 20;
    static constexpr int repeatDelayMs = 1000;
    static constexpr int repeatIntervalMs = 100;

    explicit OldStylePresetBrowserWindow (BasePluginOldStyle& plugin);
    ~OldStylePresetBrowserWindow() override;

    OldStylePresetsBrowser& getBrowser() noexcept { return browser; }
    juce::Button& getAddGroupButton() noexcept { return addGroupButton; }
    juce::Button& getRemoveGroupButton() noexcept { return removeGroupButton; }
    juce::Button& getCopyButton() noexcept { return copyButton; }
    juce::Button& getPasteButton() noexcept { return pasteButton; }
    juce::Button& getUpButton() noexcept { return upButton; }
    juce::Button& getDownButton() noexcept { return downButton; }
    juce::Button& getPresetLoadButton() noexcept { return presetLoadButton; }
    juce::Button& getPresetSaveButton() noexcept { return presetSaveButton; }
    juce::Button& getBankLoadButton() noexcept { return bankLoadButton; }
    juce::Button& getBankSaveButton() noexcept { return bankSaveButton; }
    FileDialog& getFileDialog() noexcept { return fileDialog; }
    FileAlerts& getFileAlerts() noexcept { return fileAlerts; }

    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void lookAndFeelChanged() override;

private:
    void columnsChanged (ColumnBrowser*) override;
    void columnSelectionChanged (ColumnBrowser*, Column*) override;
    void updateButtons();

    void initialiseImageButton (juce::ImageButton& button, int imageKind, const juce::String& tooltip);
    void initialiseFileRow();
    void setButtonImages();

    void addGroup();
    void removeGroup();
    juce::File getStartingFolder() const;
    void rememberFolderOf (const juce::File& file);
    void loadPreset();
    void savePreset();
    void loadBank();
    void saveBank();

    BasePluginOldStyle& plugin;
    OldStylePresetsBrowser browser;
    ComponentRow buttonColumn { true }, fileRow;
    juce::ImageButton addGroupButton { "Add Group" }, removeGroupButton { "Rem Group" }, copyButton { "Copy" },
        pasteButton { "Paste" }, upButton { "Up" }, downButton { "Down" };
    juce::Label presetLabel { "Preset", "Preset" }, bankLabel { "Bank", "Bank" };
    TextButtonEx presetLoadButton { "Load" }, presetSaveButton { "Save" }, bankLoadButton { "Load" },
        bankSaveButton { "Save" };
    FileDialog fileDialog;
    FileAlerts fileAlerts;
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetBrowserWindow)
};
