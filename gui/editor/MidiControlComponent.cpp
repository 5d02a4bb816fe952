#include "gui/editor/MidiControlComponent.h"

#include "gui/editor/MidiControlListComponent.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedImages.h"

namespace
{
constexpr int gapBelowLearnMode = 4;
constexpr int gapBelowDefaultMap = 4;
constexpr int gapAboveButtons = 5;
constexpr int buttonSpacing = 4;
constexpr int imageButtonStyle = 0;

constexpr int deleteImage = 4;
constexpr int clearImage = 12;
constexpr int loadImage = 15;
constexpr int saveImage = 16;

// The save dialog may hand back a name with another extension, or none.
juce::File withExtension (const juce::File& file, const juce::String& extension)
{
    return file.hasFileExtension (extension) ? file : file.withFileExtension (extension);
}
} // namespace

MidiControlComponent::MidiControlComponent (MidiControl& control, const juce::String& extension,
                                            const juce::String& patterns)
    : midiControl (control),
      mapExtension (extension),
      list (std::make_unique<ListComponent>()),
      fileAlerts (*this, [&control] { return control.getOwnerName(); })
{
    addAndMakeVisible (learnModeBox);
    addAndMakeVisible (defaultMapBox);
    addAndMakeVisible (*list);
    addAndMakeVisible (buttonRow);

    initialiseButton (deleteButton, deleteImage, "Delete selected assignation");
    initialiseButton (clearButton, clearImage, "Clear all map");
    initialiseButton (loadButton, loadImage, "Open map");
    initialiseButton (saveButton, saveImage, "Save current map");
    buttonRow.setSpacing (buttonSpacing);

    deleteButton.onClick = [this] { deleteSelected(); };
    clearButton.onClick = [this] { askToClearAll(); };
    loadButton.onClick = [this] { loadMap(); };
    saveButton.onClick = [this] { saveMap(); };
    list->onRowClicked = [this] { rowClicked(); };

    setFilePatterns (patterns);
    defaultMapBox.setPath (midiControl.getMapFile());
    showMap();
    showLearnState();

    learnModeBox.addListener (this);
    defaultMapBox.addListener (this);
    midiControl.addListener (this);
}

MidiControlComponent::~MidiControlComponent()
{
    midiControl.removeListener (this);
    defaultMapBox.removeListener (this);
    learnModeBox.removeListener (this);
    cancelPendingUpdate();
}

void MidiControlComponent::initialiseButton (juce::ImageButton& button, int imageKind, const juce::String& tooltip)
{
    const auto normal = EmbeddedImages::getImageButton (imageKind, imageButtonStyle, false);
    const auto pressed = EmbeddedImages::getImageButton (imageKind, imageButtonStyle, true);
    button.setImages (true, true, true, normal, 1.0f, {}, {}, 1.0f, {}, pressed, 1.0f, {});
    button.setTooltip (tooltip);
    buttonRow.addAndMakeVisible (button);
}

void MidiControlComponent::setButtonImages()
{
    auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());

    if (lookAndFeel == nullptr)
        return;

    lookAndFeel->setImageButtonImages (deleteButton, deleteImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (clearButton, clearImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (loadButton, loadImage, imageButtonStyle);
    lookAndFeel->setImageButtonImages (saveButton, saveImage, imageButtonStyle);
}

void MidiControlComponent::setFilePatterns (const juce::String& patterns)
{
    filePatterns = patterns;
    defaultMapBox.getPathComponent().setFilePatterns (patterns);
}

//==============================================================================
void MidiControlComponent::mapChanged (MidiControl*)
{
    showMap();
}

// Learn mode can be switched off on a host's thread, when a restored state
// loads its map; the page follows on the message thread.
void MidiControlComponent::learnStateChanged (MidiControl*)
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        showLearnState();
    else
        triggerAsyncUpdate();
}

void MidiControlComponent::handleAsyncUpdate()
{
    showLearnState();
}

void MidiControlComponent::showMap()
{
    std::vector<ListComponent::Row> rows;

    for (int controller = 0; controller < MidiControl::numControllers; ++controller)
        if (auto* parameter = midiControl.getAssignment (controller))
            rows.push_back ({ controller, parameter });

    list->setRows (std::move (rows));
    updateButtons();
}

// The box follows without telling anyone; the list shows the learnt pair.
void MidiControlComponent::showLearnState()
{
    learnModeBox.setTicked (midiControl.isLearnMode(), juce::dontSendNotification);

    const int controller = midiControl.getLearnController();
    const bool hasPair = controller != -1 && midiControl.getLearnParameter() != nullptr;
    list->setSelectedIndex (hasPair ? list->findRowOf (controller) : -1);
    updateButtons();
}

void MidiControlComponent::updateButtons()
{
    deleteButton.setEnabled (list->getSelectedController() != -1);
    clearButton.setEnabled (midiControl.getAssignedCount() > 0);
}

//==============================================================================
void MidiControlComponent::checkBoxChanged (CheckBox*)
{
    midiControl.setLearnMode (learnModeBox.isTicked());
}

void MidiControlComponent::defaultResourceChanged (DefaultResourceCheckBox*)
{
    midiControl.setUseMapFileAtStart (defaultMapBox.isTicked());
    midiControl.setMapFile (defaultMapBox.getPath());
}

// In learn mode a clicked row becomes the learnt pair, which shows it in the
// editor's status line; the pair is in the map already, so nothing is assigned.
void MidiControlComponent::rowClicked()
{
    updateButtons();

    const auto* row = list->getRow (list->getSelectedIndex());

    if (row == nullptr || ! midiControl.isLearnMode())
        return;

    // A map change not yet shown: the list is rebuilt in a moment.
    if (midiControl.getAssignment (row->controller) != row->parameter)
        return;

    // The controller first: it brings its own parameter along, so no step
    // can pair it with another one.
    midiControl.setLearnController (row->controller);
    midiControl.setLearnParameter (row->parameter);
}

void MidiControlComponent::deleteSelected()
{
    const int controller = list->getSelectedController();

    if (controller != -1)
        midiControl.removeAssignment (controller);
}

void MidiControlComponent::askToClearAll()
{
    confirmation = Brannock::AlertWindow::askYesNo (midiControl.getOwnerName(),
                                                    "Do you really want to clear all assignations?", this);
    confirmation->showOver (*this);
}

void MidiControlComponent::alertWindowFinished (Brannock::AlertWindow*, int result)
{
    if (result == 1)
        midiControl.clearAll();
}

void MidiControlComponent::loadMap()
{
    fileDialog.launch ({ false, "Open Midi Control file", {}, filePatterns },
                       [safeThis = SafePointer<MidiControlComponent> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           const auto result = safeThis->midiControl.loadMapFile (file);
                           safeThis->fileAlerts.tellLoad (MidiControl::mapFileKind, file, result);
                       });
}

void MidiControlComponent::saveMap()
{
    fileDialog.launch ({ true, "Save Midi Control file as", {}, "*" + mapExtension },
                       [safeThis = SafePointer<MidiControlComponent> (this)] (const juce::File& file) {
                           if (safeThis == nullptr)
                               return;

                           safeThis->fileAlerts.save (MidiControl::mapFileKind, file,
                                                      withExtension (file, safeThis->mapExtension),
                                                      [safeThis] (const juce::File& target) {
                                                          return safeThis->midiControl.saveMapFile (target);
                                                      });
                       });
}

//==============================================================================
// Inside the tab's panel, kept off its outline by the look and feel's tab indent.
juce::Rectangle<int> MidiControlComponent::getContentArea() const
{
    auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
    return getLocalBounds().reduced (lookAndFeel != nullptr ? lookAndFeel->getTabIndent() : 0);
}

void MidiControlComponent::resized()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    const auto area = getContentArea();
    learnModeBox.setTopLeftPosition (area.getPosition());
    defaultMapBox.setBounds (area.getX(), learnModeBox.getBottom() + gapBelowLearnMode, area.getWidth(),
                             defaultMapBox.getHeight());
    buttonRow.setTopLeftPosition (area.getX(), area.getBottom() - buttonRow.getHeight());

    const int listTop = defaultMapBox.getBottom() + gapBelowDefaultMap;
    list->setBounds (area.getX(), listTop, area.getWidth(),
                     juce::jmax (0, buttonRow.getY() - gapAboveButtons - listTop));
}

// The boxes and the button row size themselves (to the look and feel's
// fonts and images); the list takes what they leave.
void MidiControlComponent::childBoundsChanged (juce::Component* child)
{
    if (child != list.get())
        resized();
}

void MidiControlComponent::lookAndFeelChanged()
{
    setButtonImages();
    resized();
}
