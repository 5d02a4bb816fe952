#pragma once

#include "framework/EventsMap.h"
#include "framework/ParameterManager.h"
#include "framework/StringParameter.h"
#include "gui/GUIController.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// What skin controls bind to: the product's parameters (with the preset
// name) and the built-in events.
struct SkinWorld
{
    SkinWorld()
    {
        parameters.loadFromResource ("parameters.xml");
        parameters.addParameter (new StringParameter (110001, "Current Preset Name"));
        events.addBuiltInEvents();
    }

    Parameter& parameter (const juce::String& name) { return *parameters.findParameterByName (name); }

    ParameterManager parameters;
    EventsMap events;
};

inline std::unique_ptr<juce::XmlElement> xml (const char* text)
{
    return juce::parseXML (juce::String (text));
}

// Writes down what a control tells its listeners, one line per call.
struct ControlLog : GUIController::Listener
{
    void controlDragStarted (GUIController*) override { calls.push_back ("drag started"); }
    void controlDragEnded (GUIController*) override { calls.push_back ("drag ended"); }
    void controlValueChanged (GUIController*) override { calls.push_back ("value changed"); }
    void actionTriggered (GUIController*, int id) override { calls.push_back ("action " + juce::String (id)); }

    std::vector<juce::String> calls;
};

// A mouse event on the component at a position in its own coordinates.
inline juce::MouseEvent mouseEvent (juce::Component& c, juce::Point<float> position,
                                    juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier,
                                    juce::Point<float> downPosition = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods,
                             juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                             &c, &c, now, downPosition, now, 1, false);
}

// JUCE's widgets keep their mouse handlers protected; a component reference
// reaches them the way the mouse does.
inline void mouseDown (juce::Component& c, juce::Point<float> at,
                       juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
{
    c.mouseDown (mouseEvent (c, at, mods, at));
}

inline void mouseDrag (juce::Component& c, juce::Point<float> at, juce::Point<float> downAt,
                       juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
{
    c.mouseDrag (mouseEvent (c, at, mods, downAt));
}

inline void mouseUp (juce::Component& c, juce::Point<float> at, juce::ModifierKeys mods = {})
{
    c.mouseUp (mouseEvent (c, at, mods, at));
}
