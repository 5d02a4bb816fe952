#include "gui/controls/GFXSlider.h"

GFXSlider::GFXSlider (const juce::String& name)
    : juce::Slider (name)
{
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
}

GFXSlider::~GFXSlider() = default;

void GFXSlider::parameterValueChanged (Parameter* parameter)
{
    setValue (proportionOfLengthToValue (parameter->getNormalizedValue()), juce::dontSendNotification);
}

double GFXSlider::getProportion() const
{
    const double length = getMaximum() - getMinimum();
    return length > 0.0 ? (getValue() - getMinimum()) / length : 0.0;
}

void GFXSlider::startedDragging()
{
    beginUserGesture();
}

void GFXSlider::stoppedDragging()
{
    endUserGesture();
}

void GFXSlider::valueChanged()
{
    setValueFromUser ((float) getProportion());
}

void GFXSlider::paint (juce::Graphics& g)
{
    if (hasImage())
        drawShownFrame (g);
    else
        paintFallback (g);
}

// A grey outline, the look and feel's own slider, the value at the top and
// the parameter's name at the bottom.
void GFXSlider::paintFallback (juce::Graphics& g)
{
    auto bounds = getLocalBounds();
    g.setColour (juce::Colour (0xffb2b2b2));
    g.drawRect (bounds, 1);
    juce::Slider::paint (g);

    const auto* parameter = getLinkedParameter();
    const auto value = parameter != nullptr ? parameter->getText() : formatValue (getValue());
    const auto name = parameter != nullptr ? parameter->getName() : juce::String();
    const int lines = 2, textHeight = 13 * lines;

    g.setColour (juce::Colours::black);
    g.setFont (13.0f);
    g.drawFittedText (value, bounds.removeFromTop (textHeight), juce::Justification::centredTop, lines, 0.7f);
    g.drawFittedText (name, bounds.removeFromBottom (textHeight), juce::Justification::centredBottom, lines, 0.7f);
}
