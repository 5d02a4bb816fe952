#include "gui/controls/GFXToggleButton.h"

#include "gui/controls/GFXButton.h"
#include "gui/skin/SkinXml.h"

GFXToggleButton::GFXToggleButton (const juce::String& name)
    : juce::ToggleButton (name)
{
}

GFXToggleButton::~GFXToggleButton()
{
    GFXToggleButtonDragGroup::remove (this);
}

void GFXToggleButton::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                   EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);
    setThreeD (SkinXml::readString (element, "style", "2D") == "3D");
    setTriggeredOnMouseDown (SkinXml::readString (element, "clickEvent", "onRelease") == "onPress");
    setRadioGroupId (SkinXml::readInt (element, "radioGroupId"));
    setDragGroup (SkinXml::readString (element, "dragGroup"));
    applyStoredBounds();
}

void GFXToggleButton::parameterValueChanged (Parameter* parameter)
{
    setToggleState (parameter->getBoolValue(), juce::dontSendNotification);
}

int GFXToggleButton::getShownFrame() const
{
    if (! getToggleState() || ! isEnabled() || isInBlinkOffPhase())
        return 0;

    return isThreeD ? (isDown() ? 3 : 2) : 1;
}

// The frame count follows the style, not the skin's framesNum.
void GFXToggleButton::setThreeD (bool threeD)
{
    isThreeD = threeD;

    if (hasImage())
        setImage (getImage(), isThreeD ? 4 : 2);
}

void GFXToggleButton::setDragGroup (const juce::String& groupName)
{
    GFXToggleButtonDragGroup::remove (this);
    dragGroup = groupName;

    if (dragGroup.isNotEmpty())
        GFXToggleButtonDragGroup::add (dragGroup, this);
}

void GFXToggleButton::mouseDown (const juce::MouseEvent& e)
{
    if (dragGroup.isEmpty())
    {
        juce::ToggleButton::mouseDown (e);
        return;
    }

    if (! isEnabled())
        return;

    draggingGroup = true;
    groupState = ! getToggleState();
    setToggleState (groupState, juce::sendNotificationSync);
    setState (buttonDown);
}

void GFXToggleButton::mouseDrag (const juce::MouseEvent& e)
{
    if (! draggingGroup)
        juce::ToggleButton::mouseDrag (e);
    else
        applyStateToMembersAt (e.getScreenPosition().toFloat());
}

void GFXToggleButton::mouseUp (const juce::MouseEvent& e)
{
    if (! draggingGroup)
    {
        juce::ToggleButton::mouseUp (e);
        return;
    }

    draggingGroup = false;
    setState (isMouseOver() ? buttonOver : buttonNormal);
}

void GFXToggleButton::clicked()
{
    setBoolFromUser (getToggleState());
}

void GFXToggleButton::paintButton (juce::Graphics& g, bool, bool)
{
    if (hasImage())
        drawShownFrame (g);
    else
        GFXButton::paintFallbackFace (g, *this, getButtonText(), getShownFrame() != 0);
}

void GFXToggleButton::sizeChanged()
{
    setSize (storedWidth, storedHeight);
}

void GFXToggleButton::positionChanged()
{
    setTopLeftPosition (storedLeft, storedTop);
}

void GFXToggleButton::blinkPhaseChanged()
{
    repaint();
}

void GFXToggleButton::applyStateToMembersAt (juce::Point<float> screenPosition)
{
    for (auto* member : GFXToggleButtonDragGroup::getMembers (dragGroup))
    {
        const bool under = member->getScreenBounds().toFloat().contains (screenPosition);

        if (under && member->isEnabled() && member->isVisible() && member->getToggleState() != groupState)
            member->setToggleState (groupState, juce::sendNotificationSync);
    }
}

//==============================================================================
JUCE_IMPLEMENT_SINGLETON (GFXToggleButtonDragGroup)

GFXToggleButtonDragGroup::~GFXToggleButtonDragGroup()
{
    clearSingletonInstance();
}

void GFXToggleButtonDragGroup::add (const juce::String& group, GFXToggleButton* button)
{
    getInstance()->groups[group].addIfNotAlreadyThere (button);
}

// Buttons that outlive the registry (deleted at shutdown) have nothing to leave.
void GFXToggleButtonDragGroup::remove (GFXToggleButton* button)
{
    auto* registry = getInstanceWithoutCreating();

    if (registry == nullptr)
        return;

    for (auto& [name, members] : registry->groups)
        members.removeFirstMatchingValue (button);
}

juce::Array<GFXToggleButton*> GFXToggleButtonDragGroup::getMembers (const juce::String& group)
{
    auto* registry = getInstanceWithoutCreating();

    if (registry == nullptr)
        return {};

    const auto found = registry->groups.find (group);
    return found != registry->groups.end() ? found->second : juce::Array<GFXToggleButton*>();
}
