#include "gui/browser/GroupListColumn.h"

#include "gui/browser/PresetListColumn.h"
#include "presets/BasePluginOldStyle.h"

GroupListColumn::GroupListColumn (BasePluginOldStyle& owner)
    : CommonColumn (owner, false)
{
}

bool GroupListColumn::canFollow (const Column* left) const { return left == nullptr; }
bool GroupListColumn::hasRightPredecessor (const Column*) const { return false; }
int GroupListColumn::getColumnWidth() const { return width; }

int GroupListColumn::getNumRows() const { return plugin.getNumGroups(); }
juce::String GroupListColumn::getRowText (int row) const { return plugin.getGroupName (row); }
bool GroupListColumn::rowHasChildren (int row) const { return plugin.getGroupSize (row) > 0; }

juce::Image GroupListColumn::getRowIcon (int, bool selected) const
{
    return loadIcon (selected ? groupIconSelected : groupIcon);
}

std::unique_ptr<Column> GroupListColumn::createNextColumn (int row)
{
    return std::make_unique<PresetListColumn> (plugin, row);
}

// A group whose presets are open already keeps its column and the rows
// chosen in it.
void GroupListColumn::rowSelected (int row)
{
    auto* presets = findPresetColumn();

    if (presets == nullptr || presets->getGroup() != row)
    {
        ListColumn::rowSelected (row);
        presets = findPresetColumn();
    }

    if (presets != nullptr)
        presets->showCurrentPreset();
}

bool GroupListColumn::rowTextEdited (int row, const juce::String& text)
{
    return plugin.renameGroup (row, text);
}

bool GroupListColumn::acceptsDropOnRow (ListColumn& source, int) const
{
    return dynamic_cast<PresetListColumn*> (&source) != nullptr;
}

bool GroupListColumn::acceptsInsert (ListColumn& source, int) const
{
    return dynamic_cast<GroupListColumn*> (&source) != nullptr;
}

void GroupListColumn::dropOnRow (ListColumn& source, int row)
{
    if (auto* presets = dynamic_cast<PresetListColumn*> (&source))
        plugin.movePresetsToGroup (row, presets->getGroup(), presets->getSelectedRows());
}

void GroupListColumn::insertRows (ListColumn& source, int row, bool after)
{
    auto* groups = dynamic_cast<GroupListColumn*> (&source);
    const int dragged = groups != nullptr ? groups->getSelectedGroup() : -1;

    if (dragged < 0)
        return;

    int target = row;

    if (! after && dragged < target)
        --target;
    else if (after && target < dragged)
        ++target;

    plugin.moveGroup (dragged, target);
    refresh();
    selectRow (target);
}

int GroupListColumn::getSelectedGroup() const
{
    return getNumSelectedRows() == 1 ? getSelectedRows()[0] : -1;
}

PresetListColumn* GroupListColumn::findPresetColumn() const
{
    return dynamic_cast<PresetListColumn*> (getNextColumn());
}
