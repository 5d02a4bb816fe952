#pragma once

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/widgets/PseudoModalComponent.h"

// Stands in for the plug-in editor: the component pseudo-modal windows
// cover, under the framework's look and feel. show() puts it on screen (the
// virtual X display) when a test needs real mouse clicks or keyboard focus.
struct TestDesktop : juce::Component, PseudoModalComponent::Desktop
{
    explicit TestDesktop (int width = 640, int height = 480)
    {
        setLookAndFeel (&lookAndFeel);
        setSize (width, height);
    }

    ~TestDesktop() override
    {
        setLookAndFeel (nullptr);
    }

    void show()
    {
        ignoreXErrors();
        setVisible (true);
        addToDesktop (0);
    }

    // JUCE installs an X error handler only for applications; without one
    // Xlib ends the process on the first error, and JUCE's window code
    // causes harmless ones (BadAtom for atoms a window manager would have
    // made) under a bare virtual display. A host installs its own handler.
    static void ignoreXErrors()
    {
        static juce::DynamicLibrary x11 ("libX11.so.6");
        using Handler = int (*) (void*, void*);
        using SetHandler = Handler (*) (Handler);

        if (auto* setHandler = reinterpret_cast<SetHandler> (x11.getFunction ("XSetErrorHandler")))
            setHandler ([] (void*, void*) { return 0; });
    }

    // A press and release of the left button at a point of this component,
    // delivered through its window as the window system would.
    void click (juce::Point<int> point)
    {
        auto* peer = getPeer();

        if (peer == nullptr)
            return;

        const auto position = point.toFloat();
        const auto time = juce::Time::currentTimeMillis();
        const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
        const auto mouse = juce::MouseInputSource::InputSourceType::mouse;
        peer->handleMouseEvent (mouse, position, {}, 0.0f, 0.0f, time);
        peer->handleMouseEvent (mouse, position, left, 1.0f, 0.0f, time + 1);
        peer->handleMouseEvent (mouse, position, {}, 0.0f, 0.0f, time + 2);
    }

    void clickCentreOf (juce::Component& target)
    {
        click (getLocalPoint (&target, target.getLocalBounds().getCentre()));
    }

    DefaultLookAndFeel lookAndFeel;
};
