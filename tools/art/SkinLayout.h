#pragma once

#include <juce_core/juce_core.h>
#include <juce_graphics/juce_graphics.h>

// Where the skin puts each control, read from skin.xml, so that the face
// is painted around the controls exactly where the editor will place them.
class SkinLayout
{
public:
    struct Control
    {
        juce::String name, tag, resource;
        int frames = 1;
        juce::Rectangle<int> bounds;
    };

    juce::Result load (const juce::File& skinFile);

    const juce::Array<Control>& getControls() const { return controls; }
    juce::String getBackgroundResource() const { return backgroundResource; }

    // The named control's bounds; the test for a missing name is the caller's.
    juce::Rectangle<int> boundsOf (const juce::String& name) const;
    const Control* find (const juce::String& name) const;

private:
    static Control readControl (const juce::XmlElement& element);

    juce::Array<Control> controls;
    juce::String backgroundResource;
};
