#pragma once

#include "gui/browser/Column.h"

// A row of columns side by side in a viewport, each as tall as the view and
// as wide as it says; the view scrolls sideways when they do not fit.
// Opening a column removes the columns it cannot follow and creates the
// ones it needs on its left. The browser is also the drag-and-drop container
// of its list columns: a column that is the source of a running drag is only
// taken out of view when it is removed, and deleted once the drag ends, so
// the drag keeps its source.
class ColumnBrowser : public juce::Viewport,
                      public juce::DragAndDropContainer
{
public:
    // The nine colours from FrameworkColours::columnBrowserSchemeFirst on.
    enum SchemeColour
    {
        browserBackground,
        columnBackground,
        listBackground,
        dropRowFill,
        rowText,
        listOutline,
        selectedRowText,
        selectedRowFill, // also the drop frame and the insert line
        editorBackground
    };

    static constexpr int minimumTakenOverWidth = 100;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void columnsChanged (ColumnBrowser*) = 0;
        virtual void columnSelectionChanged (ColumnBrowser*, Column*) {}
    };

    ColumnBrowser();
    ~ColumnBrowser() override;

    // Takes the column; a null column is ignored.
    void addColumn (std::unique_ptr<Column> column);
    int getNumColumns() const noexcept { return columns.size(); }
    Column* getColumn (int index) const noexcept { return columns[index]; }
    void refreshColumns();

    // A scheme colour as the component sees it (its own, its look and
    // feel's, else the default).
    static juce::Colour findSchemeColour (const juce::Component& component, SchemeColour colour);

    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    // Told by a column whose selected rows changed.
    void selectionChangedIn (Column* column);

    // Whether a drag started from inside the column is running.
    bool isDragSource (const Column& column) const;

    void paint (juce::Graphics&) override;
    void resized() override;
    void visibleAreaChanged (const juce::Rectangle<int>&) override;

protected:
    void dragOperationStarted (const juce::DragAndDropTarget::SourceDetails&) override;
    void dragOperationEnded (const juce::DragAndDropTarget::SourceDetails&) override;

private:
    void removeLastColumn();
    void linkColumns();
    void layoutColumns();

    juce::Component content;
    juce::OwnedArray<Column> columns, retiredColumns;
    juce::Component::SafePointer<juce::Component> dragSource;
    juce::Array<Listener*> listeners;
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ColumnBrowser)
};
