#include "framework/HostParameter.h"

#include "framework/BasePlugin.h"

namespace
{
// Values looked at when a continuous parameter's text is turned back into a value.
constexpr int textSearchPoints = 1001;
} // namespace

HostParameter::HostParameter (BasePlugin& owner, int hostSlot, const juce::String& name)
    : juce::AudioProcessorParameterWithID (juce::ParameterID (makeIdentifier (name)), name),
      plugin (owner),
      slot (hostSlot),
      defaultValue (owner.getSlotDefault (hostSlot)),
      stepCount (owner.getSlotStepCount (hostSlot))
{
}

juce::String HostParameter::makeIdentifier (const juce::String& name)
{
    juce::String identifier;
    bool pendingSeparator = false;

    for (const auto character : name.toLowerCase())
    {
        if (! juce::CharacterFunctions::isLetterOrDigit (character))
        {
            pendingSeparator = identifier.isNotEmpty();
            continue;
        }

        if (pendingSeparator)
            identifier << '_';

        identifier << juce::String::charToString (character);
        pendingSeparator = false;
    }

    return identifier;
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

float HostParameter::getValue() const { return plugin.getParameter (slot); }
void HostParameter::setValue (float newValue) { plugin.setParameter (slot, newValue); }
bool HostParameter::isAutomatable() const { return plugin.isParameterAutomatable (slot); }
juce::String HostParameter::getCurrentValueAsText() const { return plugin.getParameterText (slot); }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

float HostParameter::getDefaultValue() const { return defaultValue; }
bool HostParameter::isDiscrete() const { return stepCount > 1; }

int HostParameter::getNumSteps() const
{
    return isDiscrete() ? stepCount : juce::AudioProcessor::getDefaultNumParameterSteps();
}

juce::String HostParameter::getText (float normalisedValue, int maximumLength) const
{
    return plugin.getSlotText (slot, normalisedValue).substring (0, maximumLength);
}

float HostParameter::getValueForText (const juce::String& text) const
{
    const auto wanted = text.trim();
    const int points = isDiscrete() ? stepCount : textSearchPoints;

    for (int i = 0; i < points; ++i)
    {
        const auto value = (float) i / (float) (points - 1);

        if (plugin.getSlotText (slot, value) == wanted)
            return value;
    }

    return plugin.getSlotValueForText (slot, wanted);
}
