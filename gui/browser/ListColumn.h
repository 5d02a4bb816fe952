#pragma once

#include "gui/browser/Column.h"

class List;

// A column showing a list of rows (20 pixels high, inset by 4 pixels) that
// is also a drop target for rows dragged from the lists of its browser. The
// subclasses answer what the rows are and what a selection, a rename or a
// drop does; this class turns the pointer's place during a drag into one of
// four drops, highlights it, scrolls while the pointer is held near an edge
// and runs the drop on release.
class ListColumn : public Column,
                   public juce::DragAndDropTarget,
                   private juce::Timer
{
public:
    static constexpr int rowHeight = 20;
    static constexpr int listInset = 4;
    // Pixels at a row's top and bottom edge that mean "insert here".
    static constexpr int insertEdge = 5;
    static constexpr int autoScrollBorder = 20;
    static constexpr int autoScrollSpeed = 10;
    static constexpr int autoScrollIntervalMs = 40;
    static constexpr const char* dragDescription = "ListColumn";

    enum class DropMode
    {
        none,
        onColumn,
        onRow,
        insertBefore,
        insertAfter
    };

    struct DropTarget
    {
        DropMode mode = DropMode::none;
        int row = -1;

        bool operator== (const DropTarget& other) const { return mode == other.mode && row == other.row; }
        bool operator!= (const DropTarget& other) const { return ! operator== (other); }
    };

    explicit ListColumn (bool multipleSelection);
    ~ListColumn() override;

    //==============================================================================
    virtual int getNumRows() const = 0;
    virtual juce::String getRowText (int row) const = 0;
    virtual juce::Image getRowIcon (int row, bool selected) const;
    virtual bool rowHasChildren (int row) const;
    virtual bool canDragRows() const;
    virtual bool canRenameRow (int row) const;
    virtual std::unique_ptr<Column> createNextColumn (int row);
    // The row became the last selected one. By default the next column for
    // it opens to the right.
    virtual void rowSelected (int row);
    // Whether the new name was taken; when not, the row keeps its text.
    virtual bool rowTextEdited (int row, const juce::String& text);

    virtual bool acceptsDropOnColumn (ListColumn& source) const;
    virtual bool acceptsDropOnRow (ListColumn& source, int row) const;
    virtual bool acceptsInsert (ListColumn& source, int row) const;
    virtual void dropOnColumn (ListColumn& source);
    virtual void dropOnRow (ListColumn& source, int row);
    virtual void insertRows (ListColumn& source, int row, bool after);

    //==============================================================================
    // Re-reads the rows; the selection stays, cut to the rows there are.
    void refresh() override;
    List& getList() const noexcept { return *list; }

    // Selects the row alone and scrolls it into view; -1 selects nothing.
    void selectRow (int row);
    juce::SparseSet<int> getSelectedRows() const;
    int getNumSelectedRows() const;
    bool isRowSelected (int row) const;
    // Opens the row's text for editing when it may be renamed.
    void startRenaming (int row);

    //==============================================================================
    // Which drop a drag from source would make at a point of this column.
    DropTarget findDropTarget (ListColumn& source, juce::Point<int> position) const;
    // Runs the drop, then every column of the browser refreshes.
    void performDrop (ListColumn& source, DropTarget target);
    const DropTarget& getPendingDrop() const noexcept { return pendingDrop; }
    // The column whose list a drag comes from, when it belongs to this
    // column's browser; otherwise null.
    ListColumn* findSourceColumn (const SourceDetails& details) const;

    bool isInterestedInDragSource (const SourceDetails&) override;
    void itemDragEnter (const SourceDetails&) override;
    void itemDragMove (const SourceDetails&) override;
    void itemDragExit (const SourceDetails&) override;
    void itemDropped (const SourceDetails&) override;

    // One step of the scrolling while a drag is held near an edge; the
    // timer calls it during a drag.
    void autoScrollStep();

    void paint (juce::Graphics&) override;
    void paintOverChildren (juce::Graphics&) override;
    void resized() override;

private:
    friend class List;

    void selectionChanged (int lastRowSelected, bool byRefresh);
    void hover (ListColumn& source, juce::Point<int> position);
    void setPendingDrop (DropTarget target);
    void timerCallback() override;

    std::unique_ptr<List> list;
    DropTarget pendingDrop;
    juce::Component::SafePointer<ListColumn> hoveringSource;
    juce::Point<int> hoverPosition;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ListColumn)
};
