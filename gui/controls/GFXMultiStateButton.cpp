#include "gui/controls/GFXMultiStateButton.h"

#include "gui/skin/FilmStrip.h"
#include "gui/skin/SkinXml.h"

GFXMultiStateButton::GFXMultiStateButton (const juce::String& name)
    : GFXButton (name)
{
}

void GFXMultiStateButton::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                       EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);
    loadClickEvent (element);
    isThreeD = SkinXml::readString (element, "style", "2D") == "3D";
    setNumStates (SkinXml::readInt (element, "states", numStates));
    setRadioGroupId (SkinXml::readInt (element, "radioGroupId"));
    applyStoredBounds();
}

void GFXMultiStateButton::parameterValueChanged (Parameter* parameter)
{
    setCurrentState (FilmStrip::frameForValue (parameter->getNormalizedValue(), numStates));
}

int GFXMultiStateButton::getShownFrame() const
{
    if (! isEnabled() || isInBlinkOffPhase())
        return 0;

    return isThreeD ? currentState * 2 + (isDown() ? 1 : 0) : currentState;
}

void GFXMultiStateButton::setCurrentState (int state)
{
    currentState = juce::jlimit (0, numStates - 1, state);
    repaint();
}

void GFXMultiStateButton::setNumStates (int states)
{
    numStates = juce::jmax (1, states);
    setCurrentState (currentState);
}

void GFXMultiStateButton::blinkPhaseChanged()
{
    repaint();
}
