#include "framework/EnumParameter.h"

#include "framework/NumberText.h"

EnumParameter::EnumParameter (int parameterIndex, const juce::String& parameterName,
                              const juce::String& listText, int initialValue)
    : IntParameter (parameterIndex, parameterName, 0, splitItems (listText).size() - 1, initialValue),
      itemListText (listText),
      items (splitItems (listText))
{
}

juce::StringArray EnumParameter::splitItems (const juce::String& listText)
{
    juce::StringArray result;
    int start = 0;

    for (int end; (end = listText.indexOfChar (start, ';')) >= 0; start = end + 1)
        result.add (listText.substring (start, end));

    if (start < listText.length())
        result.add (listText.substring (start));

    return result;
}

std::unique_ptr<Parameter> EnumParameter::clone() const
{
    return withFlagsOf (std::make_unique<EnumParameter> (getIndex(), getName(), itemListText, getIntValue()));
}

juce::String EnumParameter::getText() const
{
    return items[getIntValue()]; // empty outside the items
}

void EnumParameter::setText (const juce::String& text, bool notify)
{
    const int position = items.indexOf (text);

    if (position >= 0)
        setIntValue (position, notify);
    else
        setNormalizedValue ((float) NumberText::readDecimal (text), notify);
}
