#include "gui/files/DefaultResourceCheckBox.h"

#include "framework/ListenerWalk.h"

DefaultResourceCheckBox::DefaultResourceCheckBox (const juce::String& text)
    : checkBox (text)
{
    checkBox.addListener (this);
    pathComponent.addListener (this);
    // The path field is as tall as its button, whose size the look and
    // feel decides.
    pathComponent.getBrowseButton().addComponentListener (this);
    addAndMakeVisible (checkBox);
    addAndMakeVisible (pathComponent);
    updatePathEnablement();
    updateHeight();
}

DefaultResourceCheckBox::~DefaultResourceCheckBox()
{
    pathComponent.getBrowseButton().removeComponentListener (this);
    pathComponent.removeListener (this);
    checkBox.removeListener (this);
}

void DefaultResourceCheckBox::setPath (const juce::String& path)
{
    pathComponent.setPath (path, juce::dontSendNotification);
    checkBox.setTicked (path.isNotEmpty(), juce::dontSendNotification);
    updatePathEnablement();
}

void DefaultResourceCheckBox::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void DefaultResourceCheckBox::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void DefaultResourceCheckBox::checkBoxChanged (CheckBox*)
{
    updatePathEnablement();
    notifyListeners();
}

void DefaultResourceCheckBox::pathChanged (PathComponent*)
{
    notifyListeners();
}

void DefaultResourceCheckBox::notifyListeners()
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.defaultResourceChanged (this); });
}

void DefaultResourceCheckBox::updatePathEnablement()
{
    pathComponent.setEnabled (checkBox.isTicked());
}

void DefaultResourceCheckBox::updateHeight()
{
    const int pathHeight = pathComponent.getBrowseButton().getHeight();
    const int height = juce::jmax (checkBox.getHeight(), pathHeight);

    if (height != getHeight())
        setSize (getWidth(), height);
    else
        resized();
}

void DefaultResourceCheckBox::resized()
{
    const int height = getHeight();
    checkBox.setTopLeftPosition (0, (height - checkBox.getHeight()) / 2);

    const int pathX = checkBox.getRight() + gap;
    const int pathHeight = pathComponent.getBrowseButton().getHeight();
    pathComponent.setBounds (pathX, (height - pathHeight) / 2, juce::jmax (0, getWidth() - pathX), pathHeight);
}

void DefaultResourceCheckBox::childBoundsChanged (juce::Component* child)
{
    if (child == &checkBox)
        updateHeight();
}

void DefaultResourceCheckBox::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        updateHeight();
}
