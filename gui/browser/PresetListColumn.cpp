#include "gui/browser/PresetListColumn.h"

#include "gui/browser/GroupListColumn.h"
#include "gui/browser/List.h"
#include "presets/BasePluginOldStyle.h"

PresetListColumn::PresetListColumn (BasePluginOldStyle& owner, int groupIndex)
    : CommonColumn (owner, true), group (groupIndex)
{
}

bool PresetListColumn::canFollow (const Column* left) const
{
    auto* groups = dynamic_cast<const GroupListColumn*> (left);
    return groups != nullptr && &groups->getPlugin() == &plugin;
}

bool PresetListColumn::hasRightPredecessor (const Column* before) const
{
    return canFollow (before);
}

std::unique_ptr<Column> PresetListColumn::createPreviousColumn()
{
    return std::make_unique<GroupListColumn> (plugin);
}

int PresetListColumn::getColumnWidth() const { return width; }

int PresetListColumn::getNumRows() const { return plugin.getGroupSize (group); }
juce::String PresetListColumn::getRowText (int row) const { return plugin.getPresetNameInGroup (group, row); }

juce::Image PresetListColumn::getRowIcon (int, bool selected) const
{
    return loadIcon (selected ? presetIconSelected : presetIcon);
}

void PresetListColumn::rowSelected (int row)
{
    const int index = plugin.getPresetIndex (group, row);

    if (index >= 0 && index != plugin.getCurrentPreset())
        plugin.changeToPreset (index);
}

// A row the group no longer has (the bank changed since the rows were
// read) is refused rather than taken as a preset of the next group.
bool PresetListColumn::rowTextEdited (int row, const juce::String& text)
{
    return plugin.renamePreset (plugin.getPresetIndex (group, row), text);
}

bool PresetListColumn::acceptsDropOnColumn (ListColumn& source) const
{
    return dynamic_cast<PresetListColumn*> (&source) != nullptr;
}

bool PresetListColumn::acceptsInsert (ListColumn& source, int) const
{
    auto* presets = dynamic_cast<PresetListColumn*> (&source);
    return presets != nullptr && presets->getNumSelectedRows() == 1;
}

void PresetListColumn::dropOnColumn (ListColumn& source)
{
    if (auto* presets = dynamic_cast<PresetListColumn*> (&source))
        plugin.movePresetsToGroup (group, presets->getGroup(), presets->getSelectedRows());
}

// The row chosen afterwards is the one the dragged preset landed on; a drop
// that leaves the bank as it was chooses nothing, so it changes no preset.
void PresetListColumn::insertRows (ListColumn& source, int row, bool after)
{
    auto* presets = dynamic_cast<PresetListColumn*> (&source);

    if (presets == nullptr || presets->getNumSelectedRows() != 1)
        return;

    const int sourceGroup = presets->getGroup();
    const int from = plugin.getPresetIndex (sourceGroup, presets->getSelectedRows()[0]);
    int to = plugin.getPresetIndex (group, row);

    if (from < 0 || to < 0)
        return;

    if (! after && from < to)
        --to;
    else if (after && to < from)
        ++to;

    const auto* dragged = plugin.getPreset (from);
    plugin.movePreset (from, to, sourceGroup, group);
    refresh();

    const int landed = findRowOf (dragged);

    if (landed >= 0)
        selectRow (landed);
}

int PresetListColumn::findRowOf (const Preset* preset) const
{
    for (int row = 0; row < getNumRows(); ++row)
        if (plugin.getPreset (plugin.getPresetIndex (group, row)) == preset)
            return row;

    return -1;
}

bool PresetListColumn::showCurrentPreset()
{
    const int current = plugin.getCurrentPreset();

    if (plugin.getGroupOfPreset (current) != group)
        return false;

    const int row = current - plugin.getFirstPresetOfGroup (group);

    if (isRowSelected (row))
        getList().scrollToEnsureRowIsOnscreen (row);
    else
        selectRow (row);

    return true;
}
