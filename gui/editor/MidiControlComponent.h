#pragma once

#include "framework/MidiControl.h"
#include "gui/files/DefaultResourceCheckBox.h"
#include "gui/files/FileAlerts.h"
#include "gui/files/FileDialog.h"
#include "gui/widgets/ComponentRow.h"
#include "gui/windows/AlertWindow.h"

// The "Midi Control" page of the options window: the controller assignments
// of a MidiControl in a list, buttons to delete one, clear them all, load a
// map file and save one, the learn-mode switch, and the choice of the map
// file loaded when an instance starts. It only shows the MidiControl and
// changes it through its operations; it follows every change made elsewhere.
// A map file that could not be loaded or saved is told in an alert.
class MidiControlComponent : public juce::Component,
                             public MidiControl::Listener,
                             private CheckBox::Listener,
                             private DefaultResourceCheckBox::Listener,
                             private Brannock::AlertWindow::Caller,
                             private juce::AsyncUpdater
{
public:
    class ListComponent;

    // mapExtension is the map files' extension (".qvccmap"), filePatterns
    // the patterns offered when opening one ("*.qvccmap; *.qvc").
    MidiControlComponent (MidiControl& midiControl, const juce::String& mapExtension, const juce::String& filePatterns);
    ~MidiControlComponent() override;

    // Patterns of the map files that can be opened, older formats included.
    void setFilePatterns (const juce::String& patterns);

    CheckBox& getLearnModeBox() { return learnModeBox; }
    // The editor listens to it too, to note that the choice counts from the
    // next start.
    DefaultResourceCheckBox& getDefaultMapBox() { return defaultMapBox; }
    ListComponent& getList() { return *list; }
    juce::Button& getDeleteButton() { return deleteButton; }
    juce::Button& getClearButton() { return clearButton; }
    juce::Button& getLoadButton() { return loadButton; }
    juce::Button& getSaveButton() { return saveButton; }
    // The "Clear All" question while one was asked, else null.
    Brannock::AlertWindow* getConfirmation() const { return confirmation.get(); }
    FileDialog& getFileDialog() { return fileDialog; }
    FileAlerts& getFileAlerts() { return fileAlerts; }

    void mapChanged (MidiControl*) override;
    void learnStateChanged (MidiControl*) override;

    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void lookAndFeelChanged() override;

private:
    void checkBoxChanged (CheckBox*) override;
    void defaultResourceChanged (DefaultResourceCheckBox*) override;
    void alertWindowFinished (Brannock::AlertWindow*, int result) override;
    void handleAsyncUpdate() override;

    juce::Rectangle<int> getContentArea() const;
    void initialiseButton (juce::ImageButton& button, int imageKind, const juce::String& tooltip);
    void setButtonImages();
    void showMap();
    void showLearnState();
    void updateButtons();
    void rowClicked();
    void deleteSelected();
    void askToClearAll();
    void loadMap();
    void saveMap();

    MidiControl& midiControl;
    const juce::String mapExtension;
    juce::String filePatterns;

    CheckBox learnModeBox { "Midi Learn mode" };
    DefaultResourceCheckBox defaultMapBox { "Default map" };
    std::unique_ptr<ListComponent> list;
    ComponentRow buttonRow;
    juce::ImageButton deleteButton { "Delete Assign" }, clearButton { "Clear All" }, loadButton { "Load Map" },
        saveButton { "Save Map" };
    std::unique_ptr<Brannock::AlertWindow> confirmation;
    FileDialog fileDialog;
    FileAlerts fileAlerts;
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiControlComponent)
};
