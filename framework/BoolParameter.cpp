#include "framework/BoolParameter.h"

#include "framework/NumberText.h"

#include <cmath>

BoolParameter::BoolParameter (int parameterIndex, const juce::String& parameterName, TextStyle textStyle,
                              bool initialValue)
    : Parameter (parameterIndex, parameterName), style (textStyle), value (initialValue ? 1 : 0)
{
}

std::unique_ptr<Parameter> BoolParameter::clone() const
{
    return withFlagsOf (std::make_unique<BoolParameter> (getIndex(), getName(), style, getBoolValue()));
}

float BoolParameter::getValue() const { return getBoolValue() ? 1.0f : 0.0f; }
float BoolParameter::getNormalizedValue() const { return getValue(); }
int BoolParameter::getIntValue() const { return getBoolValue() ? 1 : 0; }
bool BoolParameter::getBoolValue() const { return value.load() != 0; }

juce::String BoolParameter::getText() const
{
    if (style == TextStyle::onOff)
        return getBoolValue() ? "on" : "off";

    return getBoolValue() ? "true" : "false";
}

void BoolParameter::store (bool on, bool notify)
{
    const int newValue = on ? 1 : 0;

    if (newValue == value.load())
        return;

    value.exchange (newValue);
    valueChanged (notify);
}

void BoolParameter::setValue (float v, bool notify)
{
    store (! std::isnan (v) && v != 0.0f, notify);
}

void BoolParameter::setNormalizedValue (float x, bool notify)
{
    store (x >= 0.5f, notify); // false for NaN
}

void BoolParameter::setIntValue (int i, bool notify)
{
    store (i != 0, notify);
}

void BoolParameter::setBoolValue (bool b, bool notify)
{
    store (b, notify);
}

int BoolParameter::readWord (const juce::String& text)
{
    for (const char* word : { "true", "1", "on", "yes" })
        if (text == word)
            return 1;

    for (const char* word : { "false", "0", "off", "no" })
        if (text == word)
            return 0;

    return -1;
}

void BoolParameter::setText (const juce::String& text, bool notify)
{
    const int word = readWord (text);

    if (word >= 0)
        store (word == 1, notify);
    else
        setNormalizedValue ((float) NumberText::readDecimal (text), notify);
}

void BoolParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (other.getBoolValue(), notify);
}
