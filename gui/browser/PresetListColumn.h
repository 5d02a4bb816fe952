#pragma once

#include "gui/browser/CommonColumn.h"
#include "presets/Preset.h"

// The presets of one group (fixed when the column is made), one row each.
// Choosing a row changes to that preset; presets dropped on the column move
// to the end of its group, and a single preset dragged between rows moves
// there, from this group or another.
class PresetListColumn : public CommonColumn
{
public:
    static constexpr int width = 350;

    PresetListColumn (BasePluginOldStyle& plugin, int group);

    int getGroup() const noexcept { return group; }

    bool canFollow (const Column* left) const override;
    bool hasRightPredecessor (const Column* before) const override;
    std::unique_ptr<Column> createPreviousColumn() override;
    int getColumnWidth() const override;

    int getNumRows() const override;
    juce::String getRowText (int row) const override;
    juce::Image getRowIcon (int row, bool selected) const override;
    void rowSelected (int row) override;
    bool rowTextEdited (int row, const juce::String& text) override;

    bool acceptsDropOnColumn (ListColumn& source) const override;
    bool acceptsInsert (ListColumn& source, int row) const override;
    void dropOnColumn (ListColumn& source) override;
    void insertRows (ListColumn& source, int row, bool after) override;

    // Selects the current preset's row when it lies in this group and is not
    // selected already; returns whether it lies here.
    bool showCurrentPreset();

private:
    int findRowOf (const Preset* preset) const;

    const int group;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetListColumn)
};
