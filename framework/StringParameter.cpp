#include "framework/StringParameter.h"

#include "framework/BoolParameter.h"
#include "framework/NumberText.h"

StringParameter::StringParameter (int parameterIndex, const juce::String& parameterName,
                                  const juce::String& initialText)
    : Parameter (parameterIndex, parameterName), text (initialText)
{
}

std::unique_ptr<Parameter> StringParameter::clone() const
{
    return withFlagsOf (std::make_unique<StringParameter> (getIndex(), getName(), getText()));
}

float StringParameter::getValue() const
{
    return NumberText::toFiniteFloat (NumberText::readDecimal (getText()));
}

float StringParameter::getNormalizedValue() const
{
    return juce::jlimit (0.0f, 1.0f, getValue());
}

int StringParameter::getIntValue() const
{
    return NumberText::readInteger (getText());
}

bool StringParameter::getBoolValue() const
{
    const auto current = getText();
    const int word = BoolParameter::readWord (current);
    return word >= 0 ? word == 1 : NumberText::readDecimal (current) >= 0.5;
}

juce::String StringParameter::getText() const
{
    const juce::ScopedReadLock sl (lock);
    return text;
}

void StringParameter::store (const juce::String& newText, bool notify)
{
    {
        const juce::ScopedWriteLock sl (lock);

        if (newText == text)
            return;

        text = newText;
    }

    // The listeners run after the lock is released: the frame's listener
    // takes the effect lock, and the audio thread, holding the effect lock at
    // a silent preset change, stores the preset's name here.
    valueChanged (notify);
}

void StringParameter::setValue (float v, bool notify)
{
    store (NumberText::formatSignificant9 (v), notify);
}

void StringParameter::setNormalizedValue (float x, bool notify)
{
    store (NumberText::formatSignificant9 (x), notify);
}

void StringParameter::setIntValue (int i, bool notify)
{
    store (juce::String (i), notify);
}

void StringParameter::setBoolValue (bool b, bool notify)
{
    store (b ? "true" : "false", notify);
}

void StringParameter::setText (const juce::String& newText, bool notify)
{
    store (newText, notify);
}

void StringParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (other.getText(), notify);
}
