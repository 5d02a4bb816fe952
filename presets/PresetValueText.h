#pragma once

#include <juce_core/juce_core.h>

// How preset values are written to preset and bank files: rounded to six
// decimals so that files stay readable and round trips are stable.
struct PresetValueText
{
    // The value scaled by a million in single precision, rounded to the
    // nearest integer (ties to even) and scaled back in double precision;
    // values too large to scale are kept as they are.
    static double roundToSixDecimals (float value) noexcept;

    // The rounded value printed as "%.9g" would in the "C" locale, whatever
    // locale the host has set.
    static juce::String format (float value);
};
