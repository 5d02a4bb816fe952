#include "gui/editor/PresetsSettingsComponent.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "presets/BasePluginOldStyle.h"

PresetsSettingsComponent::PresetsSettingsComponent (BasePluginOldStyle& ownerPlugin)
    : plugin (ownerPlugin)
{
    // The bank file dialog has no title and no starting folder.
    getUserBankPath().setFilePatterns (plugin.getBankOpenPattern());

    addAndMakeVisible (storingGroup);
    addChildComponent (changingGroup);
    changingGroup.setVisible (plugin.isChangingOptionAvailable());
    addAndMakeVisible (defaultPresetsGroup);

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
    }
}

void PresetsSettingsComponent::pathChanged (PathComponent* path)
{
    plugin.setUserDefinedPresetsFile (path->getPath());
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
}

void PresetsSettingsComponent::childBoundsChanged (juce::Component*)
{
    resized();
}

void PresetsSettingsComponent::lookAndFeelChanged()
{
    resized();
}
