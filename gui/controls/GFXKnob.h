#pragma once

#include "gui/controls/GFXSlider.h"

// A knob for a continuous parameter: drag up to turn it up (250 pixels for
// the whole range), or use the wheel; it shows the frame of its value.
class GFXKnob : public GFXSlider
{
public:
    explicit GFXKnob (const juce::String& name);

    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    int getShownFrame() const override;

protected:
    juce::String formatValue (double value) const override;
};
