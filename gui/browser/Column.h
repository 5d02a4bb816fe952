#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class ColumnBrowser;

// One column of a ColumnBrowser. The browser asks each column which column
// may stand to its left, creates missing ones through createPreviousColumn,
// and keeps the neighbour links up to date.
class Column : public juce::Component
{
public:
    static constexpr int defaultWidth = 200;

    Column();
    ~Column() override;

    // Whether this column may stand right of `left` (null: as the first).
    virtual bool canFollow (const Column* left) const;
    // Whether `before` is the column this one needs on its left.
    virtual bool hasRightPredecessor (const Column* before) const;
    virtual std::unique_ptr<Column> createPreviousColumn();
    virtual bool isResizable() const;
    virtual int getColumnWidth() const;
    // Re-reads what the column shows.
    virtual void refresh();

    void setColumnWidth (int width);
    Column* getPreviousColumn() const noexcept { return previous; }
    Column* getNextColumn() const noexcept { return next; }
    bool isLastColumn() const noexcept { return last; }
    ColumnBrowser* getBrowser() const;

private:
    friend class ColumnBrowser;
    void setNeighbours (Column* left, Column* right);

    int width = defaultWidth;
    Column* previous = nullptr;
    Column* next = nullptr;
    bool last = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Column)
};
