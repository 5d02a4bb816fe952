#pragma once

#include "gui/skin/GUIController.h"

#include <memory>

// The controls a container builds from the skin (the editor from the root
// element, a panel from its "controls" element) and owns: one control per
// child element whose tag names a kind the container accepts, in document
// order; other tags are skipped.
//
// The editor's root controls go in at child index 1, just above its first
// child (the status bar): each later one lies behind the earlier ones, and
// windows the editor added before the skin stay in front of all of them. A
// panel puts each control in front of the ones before it.
class SkinControls
{
public:
    enum class Container
    {
        editorRoot,
        panel
    };

    SkinControls();
    ~SkinControls();

    // A new control of the kind the tag names (without regard to case) and
    // the container accepts, named name; null for any other tag.
    static std::unique_ptr<GUIController> createControl (const juce::String& tag, const juce::String& name,
                                                         Container container);

    // Builds, loads and adds to parent the controls of the element's children.
    void build (const juce::XmlElement& element, Container container, juce::Component& parent,
                ParameterManager& parameters, EventsMap& events, BasePluginEditor* editor);

    void addListenerToAll (GUIController::Listener* listener);

    int size() const;
    GUIController* getControl (int index) const;

private:
    GUIController& add (std::unique_ptr<GUIController> control);

    juce::OwnedArray<GUIController> controls;
    // Listeners are added through this list; the lock keeps it whole then.
    juce::CriticalSection lock;

    JUCE_DECLARE_NON_COPYABLE (SkinControls)
};
