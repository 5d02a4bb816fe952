#pragma once

#include "framework/Parameter.h"
#include "gui/skin/BlinkingComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

class BasePluginEditor;
class EventsMap;
class ParameterManager;

// What every skin control adds to its component: the one parameter it is
// linked to, the named events its actions fire, and the listeners (the
// editor) that hear what the user does with it.
//
// A linked control listens to its parameter asynchronously and shows each
// new value without sending anything back; a user change goes to the
// parameter with notification, inside the parameter's change gesture, and
// then to the listeners. Message thread only.
class GUIController : public Parameter::Listener,
                      public BlinkingComponent
{
public:
    // Told from the last added listener to the first.
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void controlDragStarted (GUIController*) {}
        virtual void controlDragEnded (GUIController*) {}
        virtual void controlValueChanged (GUIController*) {}
        virtual void actionTriggered (GUIController*, int /*eventId*/) {}
    };

    GUIController();
    ~GUIController() override;

    // Parameter::Listener: shows the parameter's value.
    void parameterChanged (Parameter* parameter) override;

    // Kinds with actions store the event for the action type; others ignore it.
    virtual void addAction (const juce::String& type, int eventId, const juce::String& displayName);
    // Shows the parameter's new value without telling anyone.
    virtual void parameterValueChanged (Parameter* parameter);
    // Adds the listener unless it is already there.
    virtual void addListener (Listener* listener);
    // Reads the control's element of the skin. The base binds the links and
    // actions; kinds go on with their own children and attributes. The
    // editor being built may be null.
    virtual void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                              EventsMap& events, BasePluginEditor* editor);

    virtual juce::Component& getComponent() = 0;

    // Replaces the linked parameter (null unlinks). The current value is not
    // shown until the parameter next reports it.
    void linkToParameter (Parameter* parameter);
    Parameter* getLinkedParameter() const noexcept { return linkedParameter; }

    // Tells every listener that the control fired the event.
    void fireAction (int eventId);

protected:
    // The user's change of the linked parameter: a drag (or wheel step)
    // starts, moves the value any number of times, and ends. Without a
    // linked parameter these do nothing.
    void beginUserGesture();
    void setValueFromUser (float normalisedValue);
    void setBoolFromUser (bool value);
    void endUserGesture();

private:
    template <typename Function>
    void callListeners (Function&& fn);

    void loadLinks (const juce::XmlElement& element, ParameterManager& parameters);
    void loadActions (const juce::XmlElement& element, EventsMap& events);

    juce::Array<Listener*> listeners;
    Parameter* linkedParameter = nullptr;

    JUCE_DECLARE_NON_COPYABLE (GUIController)
};
