#pragma once

#include <juce_core/juce_core.h>

// A named run of consecutive presets in the bank. The groups partition the
// bank in order; a group may be empty.
struct PresetGroup
{
    juce::String name;
    int count = 0;
};
