#pragma once

#include "gui/controls/GFXSlider.h"

// A switch for a stepped parameter, in steps of 0.005. "Rotary" (the
// default) drags like a knob; "Horizontal" and "Vertical" set the value from
// where the pointer is, between two margins of the classic slider thumb's
// radius. It shows the frame nearest its own value, which the parameter moves
// to its state's exact position whenever the state changes.
class GFXSwitch : public GFXSlider
{
public:
    explicit GFXSwitch (const juce::String& name);

    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    int getShownFrame() const override;

    // "Rotary", "Horizontal" or "Vertical" in any case; other text changes nothing.
    void setStyleName (const juce::String& style);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

protected:
    juce::String formatValue (double value) const override;

private:
    bool followsPointer() const;
    double proportionAt (juce::Point<float> position) const;

    bool pointerDragging = false;
};
