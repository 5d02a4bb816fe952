#pragma once

#include "presets/Preset.h"

#include <juce_core/juce_core.h>

#include <array>

// The factory bank resource read into plain data for checking. Parameter
// names are turned into indexes through the embedded parameter description.
struct FactoryBank
{
    static constexpr int numValues = Preset::valueCount;

    struct Entry
    {
        juce::String group, name, application, revision;
        std::array<float, numValues> values {};
        std::array<bool, numValues> present {};
        juce::StringArray problems;
    };

    // The parameter description's defaults, by index.
    std::array<float, numValues> defaults {};
    juce::String name;
    juce::StringArray groupNames;
    juce::Array<int> groupSizes;
    std::vector<Entry> presets;
    juce::StringArray problems;

    static FactoryBank loadFromResources();
};
