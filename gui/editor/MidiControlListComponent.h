#pragma once

#include "gui/editor/MidiControlComponent.h"

#include <functional>
#include <vector>

// The assignments of the MIDI control page, one row per assigned controller
// in ascending order, laid out like the columns of a newspaper: rows run top
// to bottom, columns fill left to right, each column headed "CC" and
// "Parameter". Three columns show at a time; a horizontal scroll bar along
// the bottom reaches the others.
class MidiControlComponent::ListComponent : public juce::Component,
                                            private juce::ScrollBar::Listener
{
public:
    struct Row
    {
        int controller;
        Parameter* parameter;
    };

    static constexpr int headerHeight = 19;
    static constexpr int rowHeight = 20;
    static constexpr int visibleColumns = 3;

    ListComponent();
    ~ListComponent() override;

    // Replaces the rows and clears the selection.
    void setRows (std::vector<Row> rows);
    int getNumRows() const { return (int) rows.size(); }
    const Row* getRow (int index) const;
    // The index of the controller's row, -1 when it has none.
    int findRowOf (int controller) const;

    // Whole rows that fit under the header above the scroll bar (at least 1).
    int getRowsPerColumn() const;
    // At least three, more when the rows need them.
    int getNumColumns() const;
    int getColumnWidth() const;
    // The row a point of the list falls on, counting the scrolled-away
    // columns: row + column * rows per column, each clamped to the laid-out
    // range; -1 above the rows. The index may lie beyond the last row.
    int getIndexAt (juce::Point<int> position) const;

    // -1, or an index beyond the last row, selects nothing. A selected row
    // is scrolled into view.
    void setSelectedIndex (int index);
    int getSelectedIndex() const { return selectedIndex; }
    // The controller of the selected row, -1 when none is selected.
    int getSelectedController() const;

    juce::ScrollBar& getScrollBar() { return scrollBar; }
    int getScrollPosition() const;

    // A click selected a row (or nothing, below the last row).
    std::function<void()> onRowClicked;

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void lookAndFeelChanged() override;

private:
    void scrollBarMoved (juce::ScrollBar*, double newRangeStart) override;
    void updateScrollBar();
    void scrollToColumnOf (int index);
    int getNumberWidth() const;
    juce::Rectangle<int> getRowsArea() const;
    void paintColumn (juce::Graphics&, int column, int x);
    void paintRow (juce::Graphics&, int index, juce::Rectangle<int> area, int numberWidth);

    std::vector<Row> rows;
    int selectedIndex = -1;
    juce::ScrollBar scrollBar { false };
    juce::Font rowFont, headerFont;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ListComponent)
};
