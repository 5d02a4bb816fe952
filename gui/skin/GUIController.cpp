#include "gui/skin/GUIController.h"

#include "framework/EventsMap.h"
#include "framework/ListenerWalk.h"
#include "framework/ParameterManager.h"
#include "gui/skin/SkinXml.h"

GUIController::GUIController() = default;

GUIController::~GUIController()
{
    linkToParameter (nullptr);
}

void GUIController::parameterChanged (Parameter* parameter)
{
    parameterValueChanged (parameter);
}

void GUIController::addAction (const juce::String&, int, const juce::String&) {}

void GUIController::parameterValueChanged (Parameter*) {}

void GUIController::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void GUIController::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                 EventsMap& events, BasePluginEditor*)
{
    loadLinks (element, parameters);
    loadActions (element, events);
}

void GUIController::linkToParameter (Parameter* parameter)
{
    if (linkedParameter != nullptr)
        linkedParameter->removeAsyncListener (this);

    linkedParameter = parameter;

    if (linkedParameter != nullptr)
        linkedParameter->addAsyncListener (this);
}

void GUIController::fireAction (int eventId)
{
    callListeners ([this, eventId] (Listener& l) { l.actionTriggered (this, eventId); });
}

void GUIController::beginUserGesture()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->beginChangeGesture();
    callListeners ([this] (Listener& l) { l.controlDragStarted (this); });
}

void GUIController::setValueFromUser (float normalisedValue)
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->setNormalizedValue (normalisedValue, true);
    callListeners ([this] (Listener& l) { l.controlValueChanged (this); });
}

void GUIController::setBoolFromUser (bool value)
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->setBoolValue (value, true);
    callListeners ([this] (Listener& l) { l.controlValueChanged (this); });
}

void GUIController::endUserGesture()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->endChangeGesture();
    callListeners ([this] (Listener& l) { l.controlDragEnded (this); });
}

template <typename Function>
void GUIController::callListeners (Function&& fn)
{
    callListenersLastFirst (listeners, fn);
}

// Every "link" of the first "links": a link that is "connectedTo" (with this
// case) a parameter that exists replaces the one bound before it.
void GUIController::loadLinks (const juce::XmlElement& element, ParameterManager& parameters)
{
    const auto* links = SkinXml::firstChild (element, "links");

    if (links == nullptr)
        return;

    for (const auto* link : SkinXml::children (*links, "link"))
    {
        const auto as = SkinXml::readString (*link, "as");
        auto* parameter = parameters.findParameterByName (SkinXml::readString (*link, "param"));

        if (parameter != nullptr && as == "connectedTo")
            linkToParameter (parameter);
    }
}

// Every "action" of the first "actions" whose event exists and whose type is
// not empty goes to addAction with the event's display name.
void GUIController::loadActions (const juce::XmlElement& element, EventsMap& events)
{
    const auto* actions = SkinXml::firstChild (element, "actions");

    if (actions == nullptr)
        return;

    for (const auto* action : SkinXml::children (*actions, "action"))
    {
        const auto type = SkinXml::readString (*action, "type");
        const int id = events.findEventId (SkinXml::readString (*action, "event"));

        if (type.isNotEmpty() && id != -1)
            addAction (type, id, events.getEventDisplayName (id));
    }
}
