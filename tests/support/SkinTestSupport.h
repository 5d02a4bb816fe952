#pragma once

#include "framework/EventsMap.h"
#include "framework/ParameterManager.h"
#include "framework/StringParameter.h"
#include "gui/skin/GUIController.h"

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

// A film strip whose frame k is filled with the colour whose red level is k,
// so that a rendering tells which frame a control shows.
inline juce::Image numberedStrip (int width, int frameHeight, int frames)
{
    juce::Image image (juce::Image::ARGB, width, frameHeight * frames, true);
    juce::Graphics g (image);

    for (int k = 0; k < frames; ++k)
    {
        g.setColour (juce::Colour ((juce::uint8) k, (juce::uint8) 0, (juce::uint8) 0));
        g.fillRect (0, k * frameHeight, width, frameHeight);
    }

    return image;
}

// The frame of a numbered strip that the component draws at the point.
inline int shownStripFrame (juce::Component& c, juce::Point<int> at)
{
    const auto snapshot = c.createComponentSnapshot (c.getLocalBounds());
    return snapshot.getPixelAt (at.x, at.y).getRed();
}

inline int shownStripFrame (juce::Component& c)
{
    return shownStripFrame (c, c.getLocalBounds().getCentre());
}

// Counts the repaint requests that reach a component from its children.
struct RepaintCounter : juce::CachedComponentImage
{
    explicit RepaintCounter (juce::Component& c) : component (c) {}

    void paint (juce::Graphics& g) override { component.paintEntireComponent (g, false); }
    bool invalidateAll() override { ++count; return true; }
    bool invalidate (const juce::Rectangle<int>&) override { ++count; return true; }
    void releaseResources() override {}

    juce::Component& component;
    int count = 0;
};
