#pragma once

#include <juce_core/juce_core.h>

#include <array>

// One entry of the preset bank: a name and the normalised values of the
// presetable parameters, indexed by parameter id. Also used on its own for
// the defaults and the clipboard.
class Preset
{
public:
    static constexpr int valueCount = 16;
    using Values = std::array<float, valueCount>;

    Preset() = default;
    explicit Preset (const juce::String& presetName) : name (presetName) {}

    int getNumValues() const noexcept { return valueCount; }

    // Ids outside 0 to valueCount - 1 read as 0 and are not written.
    float getValue (int id) const noexcept;
    void setValue (int id, float value) noexcept;

    bool operator== (const Preset& other) const noexcept;
    bool operator!= (const Preset& other) const noexcept { return ! operator== (other); }

    juce::String name { "Preset" };
    Values values {};
};
