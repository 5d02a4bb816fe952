#pragma once

#include "presets/Preset.h"
#include "presets/PresetGroup.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <vector>

// The bank of 128 presets, partitioned in order into named groups. It holds
// only data: selecting and applying presets belongs to its owner, so every
// move takes the owner's current preset index and updates it to wherever
// that same preset ends up.
//
// An index is in range when it is below the size compared as unsigned, so
// negative indexes are out of range; out-of-range arguments make operations
// do nothing (names read empty, sizes 0, indexes -1). The group counts add up
// to numPresets after every operation.
//
// Presets and groups have a lock each; an operation needing both takes the
// preset lock first.
class PresetBank
{
public:
    static constexpr int numPresets = 128;

    PresetBank();

    // The preset object at index, or nullptr. The object stays alive as long
    // as the bank, whatever moves happen; access its fields under the bank's
    // lock when other threads may use the bank (the copy and value accessors
    // below do that).
    Preset* getPreset (int index) const;
    bool getPresetCopy (int index, Preset& destination) const;
    // The stored values alone. Unlike a copy of the preset, whose name a
    // fresh Preset allocates, this never allocates, so the audio thread may
    // use it to apply a preset.
    bool getPresetValues (int index, Preset::Values& destination) const;
    bool setPreset (int index, const Preset& source);
    float getPresetValue (int index, int id) const;
    bool setPresetValue (int index, int id, float value);

    juce::String getPresetName (int index) const;
    bool renamePreset (int index, const juce::String& name);

    // Names "Preset 0" to "Preset 127", values from defaults, and a single
    // group "Not used" holding every preset. The bank name is kept.
    void clearPresets (const Preset& defaults);

    juce::String getBankName() const;
    void setBankName (const juce::String& name);

    int getNumGroups() const;
    juce::String getGroupName (int group) const;
    bool renameGroup (int group, const juce::String& name);
    int getGroupSize (int group) const;
    juce::Array<PresetGroup> getGroups() const;

    // Replaces the groups. Negative counts become 0, counts are cut so that
    // they never pass numPresets, and presets left over form a last group
    // "Not used".
    void setGroups (const juce::Array<PresetGroup>& newGroups);

    // The presets before a last group "Not used" (the leftovers of a bank
    // load or a clearing); all of them when the last group is another one.
    int getNumPresetsInUse() const;

    int getFirstPresetOfGroup (int group) const;
    int getLastPresetOfGroup (int group) const;
    int getPresetIndex (int group, int position) const;
    juce::String getPresetNameInGroup (int group, int position) const;
    int getGroupOfPreset (int index) const;

    // An empty "New Group" before the group now at position.
    bool insertGroup (int position);
    bool removeEmptyGroup (int group);

    // The moves return true when they changed the bank; currentPreset is then
    // the new index of the preset that was current.
    bool movePreset (int from, int to, int fromGroup, int toGroup, int& currentPreset);
    // selection holds positions inside sourceGroup; positions outside it are
    // ignored.
    bool movePresetsToGroup (int targetGroup, int sourceGroup,
                             const juce::SparseSet<int>& selection, int& currentPreset);
    bool moveGroup (int from, int to, int& currentPreset);

private:
    using PresetList = std::vector<std::unique_ptr<Preset>>;

    bool isPresetIndex (int index) const noexcept;
    bool isGroupIndex (int group) const noexcept;
    int firstPresetOfGroupLocked (int group) const noexcept;
    Preset* presetAtLocked (int index) const noexcept;
    int indexOfLocked (const Preset* preset) const noexcept;
    void followCurrentPreset (const Preset* current, int& currentPreset) const noexcept;

    static PresetList takeRun (PresetList& list, int first, int count);
    static void insertRun (PresetList& list, int position, PresetList run);

    juce::CriticalSection presetLock, groupLock;
    PresetList presets;
    juce::Array<PresetGroup> groups;
    juce::String bankName { "Preset Bank" };

    JUCE_DECLARE_NON_COPYABLE (PresetBank)
};
