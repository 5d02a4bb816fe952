#include "gui/controls/GFXKnob.h"

#include "gui/skin/FilmStrip.h"

GFXKnob::GFXKnob (const juce::String& name)
    : GFXSlider (name)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setRange (0.0, 1.0, 0.0);
    setValue (0.0, juce::dontSendNotification);
}

void GFXKnob::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor)
{
    GFXSlider::loadFromXml (element, parameters, events, editor);
    applyStoredBounds();
}

int GFXKnob::getShownFrame() const
{
    if (! isEnabled())
        return 0;

    // The knob takes its proportion in single precision.
    return FilmStrip::frameForValue ((float) getProportion(), getNumFrames());
}

juce::String GFXKnob::formatValue (double value) const
{
    return juce::String (value, 6);
}
