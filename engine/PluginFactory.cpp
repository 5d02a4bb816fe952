#include "engine/QuilvernFactory.h"

// JUCE's format wrappers create the processor through this function.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return createQuilvern().release();
}
