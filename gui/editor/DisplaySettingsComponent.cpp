#include "gui/editor/DisplaySettingsComponent.h"

#include "gui/look/DefaultLookAndFeel.h"

#include <algorithm>
#include <iterator>

const juce::String DisplaySettingsComponent::note =
    "The editor follows the scale of the screen, or the one the host gives; the zoom enlarges it further. "
    "Ctrl with \"+\", \"-\" or \"0\" changes the zoom too while the editor has the keyboard.";

DisplaySettingsComponent::DisplaySettingsComponent (EditorZoom& editorZoom)
    : zoom (editorZoom)
{
    addAndMakeVisible (zoomGroup);
    showZoom();
    zoomGroup.addListener (this);
    zoom.addListener (this);
}

DisplaySettingsComponent::~DisplaySettingsComponent()
{
    zoom.removeListener (this);
    zoomGroup.removeListener (this);
}

juce::StringArray DisplaySettingsComponent::getZoomChoices()
{
    juce::StringArray choices;

    for (const int percent : EditorZoom::steps)
        choices.add (juce::String (percent) + " %");

    return choices;
}

void DisplaySettingsComponent::showZoom()
{
    const auto* step = std::find (std::begin (EditorZoom::steps), std::end (EditorZoom::steps), zoom.getPercent());
    zoomGroup.setSelectedIndex ((int) std::distance (std::begin (EditorZoom::steps), step), juce::dontSendNotification);
}

void DisplaySettingsComponent::radioButtonsChanged (RadioButtons* group)
{
    if (juce::isPositiveAndBelow (group->getSelectedIndex(), (int) std::size (EditorZoom::steps)))
        zoom.setPercent (EditorZoom::steps[group->getSelectedIndex()]);
}

void DisplaySettingsComponent::editorZoomChanged (EditorZoom&)
{
    showZoom();
}

// Inside the tab's panel, kept off its outline by the look and feel's tab indent.
juce::Rectangle<int> DisplaySettingsComponent::getContentArea() const
{
    auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
    return getLocalBounds().reduced (lookAndFeel != nullptr ? lookAndFeel->getTabIndent() : 0);
}

// Beside the group, from its first row down to its bottom.
juce::Rectangle<int> DisplaySettingsComponent::getNoteArea() const
{
    const int top = zoomGroup.getY() + zoomGroup.getChoiceTextBounds (0).getY();
    return juce::Rectangle<int>::leftTopRightBottom (zoomGroup.getRight() + groupGap, top, getContentArea().getRight(),
                                                     zoomGroup.getBottom());
}

void DisplaySettingsComponent::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black);
    g.setFont (noteFont);
    g.drawFittedText (note, getNoteArea(), juce::Justification::topLeft, 6, 1.0f);
}

void DisplaySettingsComponent::resized()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    const auto area = getContentArea();
    zoomGroup.setBounds (area.getX(), area.getY(), area.getWidth() / 3, zoomGroup.getHeight());
    repaint();
}

void DisplaySettingsComponent::childBoundsChanged (juce::Component*)
{
    resized();
}

void DisplaySettingsComponent::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        noteFont = lookAndFeel->getPlainFont();

    resized();
}
