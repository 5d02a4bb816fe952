#include "engine/Quilvern.h"

// JUCE's format wrappers create the processor through this function.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Quilvern();
}
