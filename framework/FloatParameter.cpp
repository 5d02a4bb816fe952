#include "framework/FloatParameter.h"

#include "framework/NumberText.h"

#include <cmath>

FloatParameter::FloatParameter (int parameterIndex, const juce::String& parameterName,
                                float min, float max, float initialValue)
    : Parameter (parameterIndex, parameterName),
      minimum (NumberText::toFiniteFloat (min)),
      maximum (NumberText::toFiniteFloat (max)),
      value (limit (initialValue))
{
}

std::unique_ptr<Parameter> FloatParameter::clone() const
{
    return withFlagsOf (std::make_unique<FloatParameter> (getIndex(), getName(), minimum, maximum, getValue()));
}

float FloatParameter::getValue() const
{
    return value.load();
}

float FloatParameter::getNormalizedValue() const
{
    // A range without width has no position within it.
    if (! (minimum < maximum || minimum > maximum))
        return 0.0f;

    return (float) (((double) getValue() - minimum) / ((double) maximum - minimum));
}

int FloatParameter::getIntValue() const
{
    return NumberText::truncateToInt (getValue());
}

bool FloatParameter::getBoolValue() const
{
    const double v = getValue();
    return v - minimum >= maximum - v;
}

juce::String FloatParameter::getText() const
{
    return NumberText::formatReal (getValue());
}

float FloatParameter::limit (double v) const noexcept
{
    if (std::isnan (v) || v < minimum)
        return minimum;

    if (v > maximum)
        return maximum;

    return v == 0.0 ? 0.0f : (float) v; // -0 stored as 0
}

void FloatParameter::store (float newValue, bool notify)
{
    const float current = value.load();

    if (! (newValue < current || newValue > current))
        return;

    value.exchange (newValue);
    valueChanged (notify);
}

void FloatParameter::setValue (float v, bool notify)
{
    store (limit (v), notify);
}

void FloatParameter::setNormalizedValue (float x, bool notify)
{
    const double position = std::isnan (x) ? 0.0 : juce::jlimit (0.0, 1.0, (double) x);
    store (limit (minimum + ((double) maximum - minimum) * position), notify);
}

void FloatParameter::setIntValue (int i, bool notify)
{
    store (limit ((float) i), notify);
}

void FloatParameter::setBoolValue (bool b, bool notify)
{
    store (b ? maximum : minimum, notify);
}

void FloatParameter::setText (const juce::String& text, bool notify)
{
    store (limit (NumberText::readDecimal (text)), notify);
}

void FloatParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (limit (other.getValue()), notify);
}
