#include "presets/PresetBank.h"

#include <algorithm>
#include <iterator>

namespace
{
    bool isBelow (int index, int size) noexcept
    {
        return static_cast<unsigned int> (index) < static_cast<unsigned int> (size);
    }

    const char* const unusedGroupName = "Not used";
}

PresetBank::PresetBank()
{
    presets.reserve (numPresets);

    for (int i = 0; i < numPresets; ++i)
        presets.push_back (std::make_unique<Preset>());
}

//==============================================================================
bool PresetBank::isPresetIndex (int index) const noexcept
{
    return isBelow (index, numPresets);
}

bool PresetBank::isGroupIndex (int group) const noexcept
{
    return isBelow (group, groups.size());
}

Preset* PresetBank::presetAtLocked (int index) const noexcept
{
    return isPresetIndex (index) ? presets[static_cast<size_t> (index)].get() : nullptr;
}

int PresetBank::indexOfLocked (const Preset* preset) const noexcept
{
    for (size_t i = 0; i < presets.size(); ++i)
        if (presets[i].get() == preset)
            return static_cast<int> (i);

    return -1;
}

int PresetBank::firstPresetOfGroupLocked (int group) const noexcept
{
    int first = 0;

    for (int g = 0; g < group; ++g)
        first += groups.getReference (g).count;

    return first;
}

void PresetBank::followCurrentPreset (const Preset* current, int& currentPreset) const noexcept
{
    if (current != nullptr)
        currentPreset = indexOfLocked (current);
}

//==============================================================================
Preset* PresetBank::getPreset (int index) const
{
    const juce::ScopedLock lock (presetLock);
    return presetAtLocked (index);
}

bool PresetBank::getPresetCopy (int index, Preset& destination) const
{
    const juce::ScopedLock lock (presetLock);

    if (auto* preset = presetAtLocked (index))
    {
        destination = *preset;
        return true;
    }

    return false;
}

bool PresetBank::getPresetValues (int index, Preset::Values& destination) const
{
    const juce::ScopedLock lock (presetLock);

    if (auto* preset = presetAtLocked (index))
    {
        destination = preset->values;
        return true;
    }

    return false;
}

bool PresetBank::setPreset (int index, const Preset& source)
{
    const juce::ScopedLock lock (presetLock);

    if (auto* preset = presetAtLocked (index))
    {
        *preset = source;
        return true;
    }

    return false;
}

float PresetBank::getPresetValue (int index, int id) const
{
    const juce::ScopedLock lock (presetLock);
    auto* preset = presetAtLocked (index);
    return preset != nullptr ? preset->getValue (id) : 0.0f;
}

bool PresetBank::setPresetValue (int index, int id, float value)
{
    const juce::ScopedLock lock (presetLock);
    auto* preset = presetAtLocked (index);

    if (preset == nullptr || ! isBelow (id, preset->getNumValues()))
        return false;

    preset->setValue (id, value);
    return true;
}

juce::String PresetBank::getPresetName (int index) const
{
    const juce::ScopedLock lock (presetLock);
    auto* preset = presetAtLocked (index);
    return preset != nullptr ? preset->name : juce::String();
}

bool PresetBank::renamePreset (int index, const juce::String& name)
{
    const juce::ScopedLock lock (presetLock);

    if (auto* preset = presetAtLocked (index))
    {
        preset->name = name;
        return true;
    }

    return false;
}

void PresetBank::clearPresets (const Preset& defaults)
{
    const juce::ScopedLock lock (presetLock);

    for (int i = 0; i < numPresets; ++i)
    {
        auto& preset = *presets[static_cast<size_t> (i)];
        preset.values = defaults.values;
        preset.name = "Preset " + juce::String (i);
    }

    const juce::ScopedLock groupScope (groupLock);
    groups.clearQuick();
    groups.add ({ unusedGroupName, numPresets });
}

juce::String PresetBank::getBankName() const
{
    const juce::ScopedLock lock (groupLock);
    return bankName;
}

void PresetBank::setBankName (const juce::String& name)
{
    const juce::ScopedLock lock (groupLock);
    bankName = name;
}

//==============================================================================
int PresetBank::getNumGroups() const
{
    const juce::ScopedLock lock (groupLock);
    return groups.size();
}

juce::String PresetBank::getGroupName (int group) const
{
    const juce::ScopedLock lock (groupLock);
    return isGroupIndex (group) ? groups.getReference (group).name : juce::String();
}

bool PresetBank::renameGroup (int group, const juce::String& name)
{
    const juce::ScopedLock lock (groupLock);

    if (! isGroupIndex (group))
        return false;

    groups.getReference (group).name = name;
    return true;
}

int PresetBank::getGroupSize (int group) const
{
    const juce::ScopedLock lock (groupLock);
    return isGroupIndex (group) ? groups.getReference (group).count : 0;
}

juce::Array<PresetGroup> PresetBank::getGroups() const
{
    const juce::ScopedLock lock (groupLock);
    return groups;
}

void PresetBank::setGroups (const juce::Array<PresetGroup>& newGroups)
{
    const juce::ScopedLock lock (groupLock);
    groups.clearQuick();
    int remaining = numPresets;

    for (auto group : newGroups)
    {
        group.count = juce::jlimit (0, remaining, group.count);
        remaining -= group.count;
        groups.add (group);
    }

    if (remaining > 0)
        groups.add ({ unusedGroupName, remaining });
}

int PresetBank::getNumPresetsInUse() const
{
    const juce::ScopedLock lock (groupLock);

    if (groups.isEmpty() || groups.getLast().name != unusedGroupName)
        return numPresets;

    return numPresets - groups.getLast().count;
}

int PresetBank::getFirstPresetOfGroup (int group) const
{
    const juce::ScopedLock lock (groupLock);
    return isGroupIndex (group) ? firstPresetOfGroupLocked (group) : -1;
}

int PresetBank::getLastPresetOfGroup (int group) const
{
    const juce::ScopedLock lock (groupLock);

    if (! isGroupIndex (group))
        return -1;

    return firstPresetOfGroupLocked (group) + groups.getReference (group).count - 1;
}

int PresetBank::getPresetIndex (int group, int position) const
{
    const juce::ScopedLock lock (groupLock);

    if (! isGroupIndex (group) || ! isBelow (position, groups.getReference (group).count))
        return -1;

    const int index = firstPresetOfGroupLocked (group) + position;
    return isPresetIndex (index) ? index : -1;
}

juce::String PresetBank::getPresetNameInGroup (int group, int position) const
{
    return getPresetName (getPresetIndex (group, position));
}

int PresetBank::getGroupOfPreset (int index) const
{
    if (! isPresetIndex (index))
        return -1;

    const juce::ScopedLock lock (groupLock);
    int end = 0;

    for (int g = 0; g < groups.size(); ++g)
    {
        end += groups.getReference (g).count;

        if (index < end)
            return g;
    }

    return -1;
}

bool PresetBank::insertGroup (int position)
{
    const juce::ScopedLock lock (groupLock);

    if (! isGroupIndex (position))
        return false;

    groups.insert (position, { "New Group", 0 });
    return true;
}

bool PresetBank::removeEmptyGroup (int group)
{
    const juce::ScopedLock lock (groupLock);

    if (! isGroupIndex (group) || groups.getReference (group).count != 0)
        return false;

    groups.remove (group);
    return true;
}

//==============================================================================
PresetBank::PresetList PresetBank::takeRun (PresetList& list, int first, int count)
{
    const auto begin = list.begin() + first;
    PresetList run (std::make_move_iterator (begin), std::make_move_iterator (begin + count));
    list.erase (begin, begin + count);
    return run;
}

void PresetBank::insertRun (PresetList& list, int position, PresetList run)
{
    list.insert (list.begin() + position,
                 std::make_move_iterator (run.begin()), std::make_move_iterator (run.end()));
}

bool PresetBank::movePreset (int from, int to, int fromGroup, int toGroup, int& currentPreset)
{
    const juce::ScopedLock presetScope (presetLock);
    const juce::ScopedLock groupScope (groupLock);

    if (! isGroupIndex (fromGroup) || ! isGroupIndex (toGroup)
        || ! isPresetIndex (from) || ! isPresetIndex (to) || from == to)
        return false;

    auto& source = groups.getReference (fromGroup);
    const bool changesGroup = fromGroup != toGroup;

    // An empty source group has no preset to give; taking one would make its
    // count negative and break the partition.
    if (changesGroup && source.count == 0)
        return false;

    const auto* current = presetAtLocked (currentPreset);
    insertRun (presets, to, takeRun (presets, from, 1));

    if (changesGroup)
    {
        --source.count;
        ++groups.getReference (toGroup).count;
    }

    followCurrentPreset (current, currentPreset);
    return true;
}

bool PresetBank::movePresetsToGroup (int targetGroup, int sourceGroup,
                                     const juce::SparseSet<int>& selection, int& currentPreset)
{
    const juce::ScopedLock presetScope (presetLock);
    const juce::ScopedLock groupScope (groupLock);

    if (! isGroupIndex (targetGroup) || ! isGroupIndex (sourceGroup)
        || targetGroup == sourceGroup || selection.isEmpty())
        return false;

    const auto* current = presetAtLocked (currentPreset);
    const int sourceFirst = firstPresetOfGroupLocked (sourceGroup);
    const juce::Range<int> sourcePositions (0, groups.getReference (sourceGroup).count);
    PresetList moved;

    // Walk the selection from the back so that taking presets out does not
    // shift the positions still to be taken; insert each at the front of the
    // run to keep their order.
    for (int r = selection.getNumRanges(); --r >= 0;)
    {
        const auto range = selection.getRange (r).getIntersectionWith (sourcePositions);

        for (int position = range.getEnd(); --position >= range.getStart();)
            insertRun (moved, 0, takeRun (presets, sourceFirst + position, 1));
    }

    if (moved.empty())
        return false;

    const int count = static_cast<int> (moved.size());
    groups.getReference (sourceGroup).count -= count;

    const int targetEnd = firstPresetOfGroupLocked (targetGroup) + groups.getReference (targetGroup).count;
    insertRun (presets, targetEnd, std::move (moved));
    groups.getReference (targetGroup).count += count;

    followCurrentPreset (current, currentPreset);
    return true;
}

bool PresetBank::moveGroup (int from, int to, int& currentPreset)
{
    const juce::ScopedLock presetScope (presetLock);
    const juce::ScopedLock groupScope (groupLock);

    if (! isGroupIndex (from) || ! isGroupIndex (to) || from == to)
        return false;

    const auto* current = presetAtLocked (currentPreset);
    auto run = takeRun (presets, firstPresetOfGroupLocked (from), groups.getReference (from).count);
    groups.move (from, to);
    insertRun (presets, firstPresetOfGroupLocked (to), std::move (run));

    followCurrentPreset (current, currentPreset);
    return true;
}
