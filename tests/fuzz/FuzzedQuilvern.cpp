#include "fuzz/FuzzedQuilvern.h"

#include "engine/QuilvernFactory.h"
#include "fuzz/FuzzTarget.h"

#include <cmath>

namespace
{
// The initialiser outlives the instance, also when the process ends.
struct ProductInstance
{
    juce::ScopedJuceInitialiser_GUI juce;
    // No settings file is read or written.
    std::unique_ptr<Quilvern> plugin = createQuilvern (juce::File());
};

bool isUnitValue (float value)
{
    return std::isfinite (value) && value >= 0.0f && value <= 1.0f;
}

bool isValidUtf8 (const juce::String& text)
{
    return juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) text.getNumBytesAsUTF8());
}

void expectSoundParameters (Quilvern& plugin)
{
    auto& manager = plugin.getParameterManager();

    for (int i = 0; i < manager.getNumParameters(); ++i)
        if (const auto* parameter = manager.getParameterAt (i))
            fuzzExpect (isUnitValue (parameter->getNormalizedValue()), "parameter values are finite and within 0..1");
}

void expectSoundBank (const Quilvern& plugin)
{
    fuzzExpect (plugin.isPresetIndex (plugin.getCurrentPreset()), "the current preset is inside the bank");

    int total = 0;

    for (int group = 0; group < plugin.getNumGroups(); ++group)
    {
        fuzzExpect (plugin.getGroupSize (group) >= 0, "group counts are not negative");
        fuzzExpect (isValidUtf8 (plugin.getGroupName (group)), "group names are valid UTF-8");
        total += plugin.getGroupSize (group);
    }

    fuzzExpect (total == Quilvern::numPresets, "the group counts add up to the bank's size");

    for (int index = 0; index < Quilvern::numPresets; ++index)
    {
        Preset preset;
        fuzzExpect (plugin.getPresetCopy (index, preset), "every preset of the bank exists");
        fuzzExpect (isValidUtf8 (preset.name), "preset names are valid UTF-8");

        for (const auto value : preset.values)
            fuzzExpect (std::isfinite (value), "preset values are finite");
    }
}
} // namespace

Quilvern& fuzzedQuilvern()
{
    static ProductInstance instance;
    return *instance.plugin;
}

void expectSoundProduct (Quilvern& plugin)
{
    expectSoundParameters (plugin);
    expectSoundBank (plugin);
}

void expectStateRoundTrip (Quilvern& plugin)
{
    juce::MemoryBlock saved, resaved;
    plugin.getStateInformation (saved);
    plugin.setStateInformation (saved.getData(), (int) saved.getSize());
    plugin.getStateInformation (resaved);
    fuzzExpect (saved == resaved, "a saved state reads back into the same state");
}
