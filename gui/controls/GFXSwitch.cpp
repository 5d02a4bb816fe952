#include "gui/controls/GFXSwitch.h"

#include "framework/NumberText.h"
#include "gui/skin/FilmStrip.h"
#include "gui/skin/SkinXml.h"

GFXSwitch::GFXSwitch (const juce::String& name)
    : GFXSlider (name)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setRange (0.0, 1.0, 0.005);
    setValue (0.0, juce::dontSendNotification);
}

void GFXSwitch::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                             EventsMap& events, BasePluginEditor* editor)
{
    GFXSlider::loadFromXml (element, parameters, events, editor);
    setStyleName (SkinXml::readString (element, "style", "Rotary"));
    applyStoredBounds();
}

int GFXSwitch::getShownFrame() const
{
    return isEnabled() ? FilmStrip::frameForValue (getProportion(), getNumFrames()) : 0;
}

void GFXSwitch::setStyleName (const juce::String& style)
{
    if (style.equalsIgnoreCase ("Rotary"))
        setSliderStyle (juce::Slider::RotaryVerticalDrag);
    else if (style.equalsIgnoreCase ("Horizontal"))
        setSliderStyle (juce::Slider::LinearHorizontal);
    else if (style.equalsIgnoreCase ("Vertical"))
        setSliderStyle (juce::Slider::LinearVertical);
}

// The linear styles place the value under the pointer themselves, so that
// the click positions do not depend on the look and feel's thumb size.
void GFXSwitch::mouseDown (const juce::MouseEvent& e)
{
    if (! followsPointer())
    {
        GFXSlider::mouseDown (e);
        return;
    }

    if (! isEnabled())
        return;

    pointerDragging = true;
    startedDragging();
    setValue (proportionOfLengthToValue (proportionAt (e.position)), juce::sendNotificationSync);
}

void GFXSwitch::mouseDrag (const juce::MouseEvent& e)
{
    if (! followsPointer())
        GFXSlider::mouseDrag (e);
    else if (pointerDragging)
        setValue (proportionOfLengthToValue (proportionAt (e.position)), juce::sendNotificationSync);
}

void GFXSwitch::mouseUp (const juce::MouseEvent& e)
{
    if (! followsPointer())
    {
        GFXSlider::mouseUp (e);
        return;
    }

    if (pointerDragging)
    {
        pointerDragging = false;
        stoppedDragging();
    }
}

juce::String GFXSwitch::formatValue (double value) const
{
    return NumberText::formatSignificant9 (value);
}

bool GFXSwitch::followsPointer() const
{
    return isHorizontal() || isVertical();
}

// The classic look's thumb radius, min (7, height / 2, width / 2) + 2, is
// kept free at both ends.
double GFXSwitch::proportionAt (juce::Point<float> position) const
{
    const int radius = juce::jmin (7, getHeight() / 2, getWidth() / 2) + 2;
    const double proportion = isHorizontal()
        ? (position.x - radius) / juce::jmax (1, getWidth() - 2 * radius)
        : 1.0 - (position.y - radius) / juce::jmax (1, getHeight() - 2 * radius);

    return juce::jlimit (0.0, 1.0, proportion);
}
