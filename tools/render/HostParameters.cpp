#include "tools/render/HostParameters.h"

#include <cstdlib>

// A VST 2.4 host speaks to the processor through JUCE's index-based
// parameter calls, so the renderer does the same.
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

HostParameters::HostParameters (juce::AudioProcessor& processorToUse) : processor (processorToUse) {}

int HostParameters::size() const { return processor.getNumParameters(); }
juce::String HostParameters::getName (int index) const { return processor.getParameterName (index); }
juce::String HostParameters::getText (int index) const { return processor.getParameterText (index); }
float HostParameters::getValue (int index) const { return processor.getParameter (index); }

int HostParameters::find (const juce::String& name) const
{
    int caseInsensitiveMatch = -1;
    int caseInsensitiveMatches = 0;

    for (int index = 0; index < size(); ++index)
    {
        const auto candidate = getName (index);

        if (candidate == name)
            return index;

        if (candidate.equalsIgnoreCase (name))
        {
            caseInsensitiveMatch = index;
            ++caseInsensitiveMatches;
        }
    }

    return caseInsensitiveMatches == 1 ? caseInsensitiveMatch : -1;
}

juce::Result HostParameters::set (const juce::String& name, const juce::String& valueText)
{
    const auto index = find (name);

    if (index < 0)
        return juce::Result::fail ("unknown parameter \"" + name + "\" (--list-parameters shows the names)");

    const auto text = valueText.trim().toStdString();
    char* end = nullptr;
    const auto value = std::strtod (text.c_str(), &end);

    if (text.empty() || *end != 0 || ! (value >= 0.0 && value <= 1.0))
        return juce::Result::fail ("parameter \"" + name + "\" takes a value from 0 to 1, got \"" + valueText + "\"");

    processor.setParameter (index, (float) value);
    return juce::Result::ok();
}

juce::String HostParameters::describeAll() const
{
    if (size() == 0)
        return "The processor has no parameters.\n";

    juce::String text;

    for (int index = 0; index < size(); ++index)
        text << juce::String (index).paddedLeft (' ', 3) << "  " << getName (index).paddedRight (' ', 18)
             << juce::String (getValue (index), 3).paddedLeft (' ', 6) << "  " << getText (index) << "\n";

    return text;
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
