#include "gui/editor/PresetsSettingsComponent.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedFonts.h"
#include "presets/BasePluginOldStyle.h"

namespace
{
constexpr int noteGap = 3;
constexpr int noteLines = 2;
const juce::Colour noteColour (0xFF9A1B12);
} // namespace

PresetsSettingsComponent::PresetsSettingsComponent (BasePluginOldStyle& ownerPlugin)
    : plugin (ownerPlugin)
{
    // The bank file dialog has no title and no starting folder.
    getUserBankPath().setFilePatterns (plugin.getBankOpenPattern());

    addAndMakeVisible (storingGroup);
    addChildComponent (changingGroup);
    changingGroup.setVisible (plugin.isChangingOptionAvailable());
    addAndMakeVisible (defaultPresetsGroup);
    initialiseStartUpNote();

    showSettings();

    storingGroup.addListener (this);
    changingGroup.addListener (this);
    defaultPresetsGroup.addListener (this);
    getUserBankPath().addListener (this);
}

PresetsSettingsComponent::~PresetsSettingsComponent()
{
    getUserBankPath().removeListener (this);
    defaultPresetsGroup.removeListener (this);
    changingGroup.removeListener (this);
    storingGroup.removeListener (this);
}

// A mode the groups have no button for (from a hand-edited settings file)
// shows no selection.
void PresetsSettingsComponent::showSettings()
{
    storingGroup.setSelectedIndex (plugin.getStoringMode(), juce::dontSendNotification);
    changingGroup.setSelectedIndex (plugin.getChangingType(), juce::dontSendNotification);
    defaultPresetsGroup.setSelectedIndex (plugin.getDefaultPresetsMode(), juce::dontSendNotification);
    getUserBankPath().setPath (plugin.getUserDefinedPresetsFile(), juce::dontSendNotification);
    updateStartUpNote();
}

void PresetsSettingsComponent::initialiseStartUpNote()
{
    startUpNote.setText (juce::String (startUpNoteText) + "\n" + plugin.getStartUpBankFailure().getErrorMessage(),
                         juce::dontSendNotification);
    startUpNote.setFont (EmbeddedFonts::getTahoma (13.0f, false));
    startUpNote.setColour (juce::Label::textColourId, noteColour);
    startUpNote.setJustificationType (juce::Justification::topLeft);
    startUpNote.setBorderSize ({});
    addChildComponent (startUpNote);
}

// The note is about the file that failed: it goes when another file or
// another choice is made, and comes back with them.
void PresetsSettingsComponent::updateStartUpNote()
{
    const auto failedPath = plugin.getStartUpBankFile().getFullPathName();
    startUpNote.setVisible (plugin.getStartUpBankFailure().failed() && defaultPresetsGroup.isUserChoiceSelected()
                            && getUserBankPath().getPath().equalsIgnoreCase (failedPath));
}

void PresetsSettingsComponent::radioButtonsChanged (RadioButtons* group)
{
    const int index = group->getSelectedIndex();

    if (group == &storingGroup)
    {
        plugin.setStoringMode (index);

        // Edits made while storing on demand become part of the preset now.
        if (index == BasePluginOldStyle::storeAutomatically)
            plugin.storePreset (plugin.getCurrentPreset());
    }
    else if (group == &changingGroup)
    {
        plugin.setChangingType (index);
    }
    else if (group == &defaultPresetsGroup)
    {
        plugin.setDefaultPresetsMode (index);
        updateStartUpNote();
    }
}

void PresetsSettingsComponent::pathChanged (PathComponent* path)
{
    plugin.setUserDefinedPresetsFile (path->getPath());
    updateStartUpNote();
}

// Inside the tab's panel, kept off its outline by the look and feel's tab indent.
juce::Rectangle<int> PresetsSettingsComponent::getContentArea() const
{
    auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
    return getLocalBounds().reduced (lookAndFeel != nullptr ? lookAndFeel->getTabIndent() : 0);
}

void PresetsSettingsComponent::resized()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    const auto area = getContentArea();
    const int width = area.getWidth();

    if (changingGroup.isVisible())
    {
        const int half = width / 2 - 3;
        storingGroup.setBounds (area.getX(), area.getY(), half, storingGroup.getHeight());
        changingGroup.setBounds (area.getRight() - half, area.getY(), half, changingGroup.getHeight());
    }
    else
    {
        storingGroup.setBounds (area.getX(), area.getY(), width, storingGroup.getHeight());
    }

    defaultPresetsGroup.setBounds (area.getX(), storingGroup.getBottom() + groupGap, width,
                                   defaultPresetsGroup.getHeight());

    // Under the path, from where its text starts.
    auto& path = getUserBankPath();
    const int noteX = getLocalPoint (&path, path.getTextArea().getPosition()).x;
    const int lineHeight = juce::roundToInt (std::ceil (startUpNote.getFont().getHeight()));
    startUpNote.setBounds (noteX, defaultPresetsGroup.getBottom() + noteGap, juce::jmax (0, area.getRight() - noteX),
                           lineHeight * noteLines);
}

void PresetsSettingsComponent::childBoundsChanged (juce::Component* child)
{
    if (child != &startUpNote)
        resized();
}

void PresetsSettingsComponent::lookAndFeelChanged()
{
    resized();
}
