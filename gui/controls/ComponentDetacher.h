#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Takes a component out of its parent into a temporary top-level window of
// its own at the same place on the screen, drawn at the scale it had inside
// its parent, and puts it back. A window of its own gets the keyboard from
// the window system directly, also inside a host that keeps the keyboard
// from the plug-in's window.
class ComponentDetacher
{
public:
    ComponentDetacher() = default;
    ~ComponentDetacher();

    // False (and nothing changes) when the component is not on the screen
    // inside a parent, or is already detached.
    bool detach (juce::Component& component);
    // Back into the saved parent, in front, at the saved bounds; a parent
    // that has gone meanwhile leaves the component off the desktop alone.
    void reattach();
    bool isDetached() const noexcept { return detached != nullptr; }

private:
    juce::Component::SafePointer<juce::Component> detached, parent;
    juce::Rectangle<int> savedBounds;

    JUCE_DECLARE_NON_COPYABLE (ComponentDetacher)
};
