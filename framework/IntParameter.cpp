#include "framework/IntParameter.h"

#include "framework/NumberText.h"
#include "framework/SteppedValue.h"

IntParameter::IntParameter (int parameterIndex, const juce::String& parameterName,
                            int min, int max, int initialValue)
    : Parameter (parameterIndex, parameterName), minimum (min), maximum (max), value (limit (initialValue))
{
}

std::unique_ptr<Parameter> IntParameter::clone() const
{
    return withFlagsOf (std::make_unique<IntParameter> (getIndex(), getName(), minimum, maximum, getIntValue()));
}

float IntParameter::getValue() const
{
    return (float) getIntValue();
}

float IntParameter::getNormalizedValue() const
{
    // A range without width (an enumeration of one item) has no position.
    if (minimum == maximum)
        return 0.0f;

    return ((float) getIntValue() - (float) minimum) / ((float) maximum - (float) minimum);
}

int IntParameter::getIntValue() const
{
    return value.load();
}

bool IntParameter::getBoolValue() const
{
    return getIntValue() != minimum;
}

juce::String IntParameter::getText() const
{
    return juce::String (getIntValue());
}

int IntParameter::limit (long long v) const noexcept
{
    if (v < minimum)
        return minimum;

    if (v > maximum)
        return maximum;

    return (int) v;
}

void IntParameter::store (int newValue, bool notify)
{
    if (newValue == value.load())
        return;

    value.exchange (newValue);
    valueChanged (notify);
}

void IntParameter::setValue (float v, bool notify)
{
    store (limit (NumberText::truncateToInt (v)), notify);
}

void IntParameter::setNormalizedValue (float x, bool notify)
{
    const long long width = (long long) maximum - minimum;
    store (limit (minimum + SteppedValue::nearestStep (x, width)), notify);
}

void IntParameter::setIntValue (int i, bool notify)
{
    store (limit (i), notify);
}

void IntParameter::setBoolValue (bool b, bool notify)
{
    store (b ? maximum : minimum, notify);
}

void IntParameter::setText (const juce::String& text, bool notify)
{
    store (limit (NumberText::readInteger (text)), notify);
}

void IntParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (limit (other.getIntValue()), notify);
}
