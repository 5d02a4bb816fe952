#include "gui/editor/OldStylePresetBrowserWindow.h"

#include "gui/browser/GroupListColumn.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedFonts.h"
#include "presets/BasePluginOldStyle.h"
#include "presets/PresetFileNames.h"

namespace
{
constexpr int imageButtonStyle = 0;

constexpr int copyImage = 1;
constexpr int pasteImage = 3;
constexpr int downImage = 5;
constexpr int upImage = 6;
constexpr int addGroupImage = 9;
constexpr int removeGroupImage = 10;
} // namespace

OldStylePresetBrowserWindow::OldStylePresetBrowserWindow (BasePluginOldStyle& owner)
    : plugin (owner), browser (owner), fileAlerts (*this, [&owner] { return owner.getPluginName(); })
{
    setName ("Preset Browser");
    setTitle ("Preset Browser");

    initialiseImageButton (addGroupButton, addGroupImage, "Add group");
    initialiseImageButton (removeGroupButton, removeGroupImage, "Remove empty group");
    initialiseImageButton (copyButton, copyImage, "Copy current preset");
    initialiseImageButton (pasteButton, pasteImage, "Paste copied preset");
    initialiseImageButton (upButton, upImage, "Select previous preset");
    initialiseImageButton (downButton, downImage, "Select next preset");
    upButton.setRepeatSpeed (repeatDelayMs, repeatIntervalMs);
    downButton.setRepeatSpeed (repeatDelayMs, repeatIntervalMs);
    initialiseFileRow();

    addGroupButton.onClick = [this] { addGroup(); };
    removeGroupButton.onClick = [this] { removeGroup(); };
    copyButton.onClick = [this] { plugin.copyCurrentPreset(); };
    pasteButton.onClick = [this] { plugin.pasteCopiedPreset(); };
    upButton.onClick = [this] { plugin.selectPreviousPreset(); };
    downButton.onClick = [this] { plugin.selectNextPreset(); };
    presetLoadButton.onClick = [this] { loadPreset(); };
    presetSaveButton.onClick = [this] { savePreset(); };
    bankLoadButton.onClick = [this] { loadBank(); };
    bankSaveButton.onClick = [this] { saveBank(); };

    addAndMakeVisible (browser);
    addAndMakeVisible (buttonColumn);
    addAndMakeVisible (fileRow);
    browser.addListener (this);
    updateButtons();
    setSize (defaultWidth, defaultHeight);
}

OldStylePresetBrowserWindow::~OldStylePresetBrowserWindow()
{
    browser.removeListener (this);
}

void OldStylePresetBrowserWindow::initialiseImageButton (juce::ImageButton& button, int imageKind,
                                                         const juce::String& tooltip)
{
    const auto normal = EmbeddedImages::getImageButton (imageKind, imageButtonStyle, false);
    const auto pressed = EmbeddedImages::getImageButton (imageKind, imageButtonStyle, true);
    button.setImages (true, true, true, normal, 1.0f, {}, {}, 1.0f, {}, pressed, 1.0f, {});
    button.setTooltip (tooltip);
    buttonColumn.addAndMakeVisible (button);
}

void OldStylePresetBrowserWindow::initialiseFileRow()
{
    const auto font = EmbeddedFonts::getTahoma (13.0f, false);

    for (auto* label : { &presetLabel, &bankLabel })
    {
        label->setFont (font);
        label->setJustificationType (juce::Justification::centredRight);
        label->setColour (juce::Label::textColourId, juce::Colours::black);
        const auto border = label->getBorderSize();
        label->setSize (font.getStringWidth (label->getText()) + border.getLeftAndRight(), labelHeight);
    }

    presetLoadButton.setTooltip ("Load preset");
    presetSaveButton.setTooltip ("Save current preset");
    bankLoadButton.setTooltip ("Load preset bank");
    bankSaveButton.setTooltip ("Save current preset bank");

    fileRow.setAlignment (ComponentRow::alignCentre);

    for (auto* child : std::initializer_list<juce::Component*> { &presetLabel, &presetLoadButton, &presetSaveButton,
                                                                 &bankLabel, &bankLoadButton, &bankSaveButton })
        fileRow.addAndMakeVisible (child);
}

void OldStylePresetBrowserWindow::setButtonImages()
{
    auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());

    if (lookAndFeel == nullptr)
        return;

    lookAndFeel->setImageButtonImages (addGroupButton, addGroupImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (removeGroupButton, removeGroupImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (copyButton, copyImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (pasteButton, pasteImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (upButton, upImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (downButton, downImage, imageButtonStyle);
}

//==============================================================================
void OldStylePresetBrowserWindow::columnsChanged (ColumnBrowser*)
{
    updateButtons();
}

void OldStylePresetBrowserWindow::columnSelectionChanged (ColumnBrowser*, Column*)
{
    updateButtons();
}

void OldStylePresetBrowserWindow::updateButtons()
{
    auto* groups = browser.getGroupColumn();
    const int group = groups != nullptr ? groups->getSelectedGroup() : -1;
    addGroupButton.setEnabled (group >= 0);
    removeGroupButton.setEnabled (group >= 0 && plugin.getGroupSize (group) == 0);
}

void OldStylePresetBrowserWindow::addGroup()
{
    if (auto* groups = browser.getGroupColumn())
        plugin.insertGroup (groups->getSelectedGroup());

    browser.refreshColumns();
    updateButtons();
}

void OldStylePresetBrowserWindow::removeGroup()
{
    if (auto* groups = browser.getGroupColumn())
        plugin.removeEmptyGroup (groups->getSelectedGroup());

    browser.refreshColumns();
    updateButtons();
}

//==============================================================================
juce::File OldStylePresetBrowserWindow::getStartingFolder() const
{
    const auto path = plugin.getRecentDirectory();
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

void OldStylePresetBrowserWindow::rememberFolderOf (const juce::File& file)
{
    const auto folder = file.getParentDirectory();

    if (folder.isDirectory())
        plugin.setRecentDirectory (folder.getFullPathName());
}

void OldStylePresetBrowserWindow::loadPreset()
{
    fileDialog.launch ({ false, "Load single preset", getStartingFolder(), plugin.getPresetOpenPattern() },
                       [safeThis = SafePointer<OldStylePresetBrowserWindow> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           auto& p = safeThis->plugin;
                           const auto result = p.loadPresetFile (file, p.getCurrentPreset());
                           safeThis->rememberFolderOf (file);
                           safeThis->browser.followCurrentPreset();
                           safeThis->fileAlerts.tellLoad (BasePluginOldStyle::presetFileKind, file, result);
                       });
}

// The preset's stored values are written; edits not stored yet are not.
void OldStylePresetBrowserWindow::savePreset()
{
    fileDialog.launch ({ true, "Save current settings as preset", getStartingFolder(), plugin.getPresetSavePattern() },
                       [safeThis = SafePointer<OldStylePresetBrowserWindow> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           const auto target = PresetFileNames::withExtension (file, safeThis->plugin.getPresetExtension());
                           safeThis->fileAlerts.save (BasePluginOldStyle::presetFileKind, file, target,
                                                      [safeThis] (const juce::File& chosen) {
                                                          auto& p = safeThis->plugin;
                                                          const auto result = p.savePresetFile (chosen, p.getCurrentPreset());
                                                          safeThis->rememberFolderOf (chosen);
                                                          return result;
                                                      });
                       });
}

void OldStylePresetBrowserWindow::loadBank()
{
    fileDialog.launch ({ false, "Load preset bank", getStartingFolder(), plugin.getBankOpenPattern() },
                       [safeThis = SafePointer<OldStylePresetBrowserWindow> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           const auto result = safeThis->plugin.loadBankFile (file);
                           safeThis->browser.followCurrentPreset();
                           safeThis->fileAlerts.tellLoad (BasePluginOldStyle::bankFileKind, file, result);
                       });
}

void OldStylePresetBrowserWindow::saveBank()
{
    fileDialog.launch ({ true, "Save preset bank", getStartingFolder(), plugin.getBankSavePattern() },
                       [safeThis = SafePointer<OldStylePresetBrowserWindow> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           const auto target = PresetFileNames::withExtension (file, safeThis->plugin.getBankExtension());
                           safeThis->fileAlerts.save (BasePluginOldStyle::bankFileKind, file, target,
                                                      [safeThis] (const juce::File& chosen) {
                                                          return safeThis->plugin.saveBankFile (chosen);
                                                      });
                       });
}

//==============================================================================
void OldStylePresetBrowserWindow::resized()
{
    WindowComponent::resized();

    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    const auto area = getContentArea();
    buttonColumn.setTopLeftPosition (area.getPosition());
    fileRow.setTopLeftPosition (area.getRight() - fileRow.getWidth(), area.getBottom() - fileRow.getHeight());
    browser.setBounds (area.withTrimmedLeft (buttonColumn.getWidth() + browserGap)
                           .withTrimmedBottom (fileRow.getHeight()));
}

// The rows size themselves (to the look and feel's images); the browser
// takes what they leave.
void OldStylePresetBrowserWindow::childBoundsChanged (juce::Component* child)
{
    if (child != &browser)
        resized();
}

void OldStylePresetBrowserWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();
    setButtonImages();
    resized();
}
