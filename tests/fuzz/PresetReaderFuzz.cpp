#include "framework/XmlUtilities.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzedQuilvern.h"

#include <cmath>

namespace
{
juce::Array<int> groupCounts (const Quilvern& plugin)
{
    juce::Array<int> counts;

    for (int group = 0; group < plugin.getNumGroups(); ++group)
        counts.add (plugin.getGroupSize (group));

    return counts;
}

juce::String writePreset (Quilvern& plugin, const Preset& preset)
{
    return plugin.createPresetXml (preset)->toString();
}
} // namespace

// Any bytes as a preset file, read through the guarded parse into a preset of
// its own and into the current preset the way a program chunk is. Values
// stay finite, the groups keep their sizes, and a preset written after the
// read reads back to the same file.
QUILVERN_FUZZ_TARGET (PresetReader)
{
    const auto xml = XmlUtilities::parseUtf8 (data, size);

    if (xml == nullptr)
        return 0;

    auto& plugin = fuzzedQuilvern();
    const auto countsBefore = groupCounts (plugin);

    Preset preset;
    plugin.readPresetXml (*xml, preset);

    for (const auto value : preset.values)
        fuzzExpect (std::isfinite (value), "values read from a preset are finite");

    const auto written = writePreset (plugin, preset);
    const auto reread = XmlUtilities::parseText (written);
    fuzzExpect (reread != nullptr, "a written preset parses");

    if (reread != nullptr)
    {
        Preset again;
        plugin.readPresetXml (*reread, again);
        fuzzExpect (writePreset (plugin, again) == written, "a written preset reads back to the same file");
    }

    plugin.setProgramStateFromXml (*xml);
    expectSoundProduct (plugin);
    fuzzExpect (groupCounts (plugin) == countsBefore, "reading a preset leaves the group sizes alone");
    return 0;
}
