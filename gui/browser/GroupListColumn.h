#pragma once

#include "gui/browser/CommonColumn.h"

class PresetListColumn;

// The groups of the bank, one row each, always the browser's first column.
// Choosing a group opens its presets to the right; presets dropped on a
// group row move to the end of that group, and groups are rearranged by
// dragging them between rows.
class GroupListColumn : public CommonColumn
{
public:
    static constexpr int width = 241;

    explicit GroupListColumn (BasePluginOldStyle& plugin);

    bool canFollow (const Column* left) const override;
    bool hasRightPredecessor (const Column* before) const override;
    int getColumnWidth() const override;

    int getNumRows() const override;
    juce::String getRowText (int row) const override;
    juce::Image getRowIcon (int row, bool selected) const override;
    bool rowHasChildren (int row) const override;
    std::unique_ptr<Column> createNextColumn (int row) override;
    void rowSelected (int row) override;
    bool rowTextEdited (int row, const juce::String& text) override;

    bool acceptsDropOnRow (ListColumn& source, int row) const override;
    bool acceptsInsert (ListColumn& source, int row) const override;
    void dropOnRow (ListColumn& source, int row) override;
    void insertRows (ListColumn& source, int row, bool after) override;

    // The selected group, or -1 unless exactly one is selected.
    int getSelectedGroup() const;

private:
    PresetListColumn* findPresetColumn() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GroupListColumn)
};
