#include "gui/browser/ColumnBrowser.h"

#include "framework/ListenerWalk.h"
#include "gui/look/FrameworkColours.h"

ColumnBrowser::ColumnBrowser()
{
    setViewedComponent (&content, false);
    setScrollBarsShown (false, true);
}

ColumnBrowser::~ColumnBrowser()
{
    columns.clear();
    retiredColumns.clear();
}

void ColumnBrowser::addColumn (std::unique_ptr<Column> column)
{
    if (column == nullptr)
        return;

    int removedWidth = -1;

    while (! columns.isEmpty() && ! column->canFollow (columns.getLast()))
    {
        removedWidth = columns.getLast()->getColumnWidth();
        removeLastColumn();
    }

    auto* added = columns.add (column.release());
    content.addAndMakeVisible (added);

    // Walk left, putting in the predecessors the new column needs.
    for (auto* walk = added; ! walk->hasRightPredecessor (columns[columns.indexOf (walk) - 1]);)
    {
        auto previous = walk->createPreviousColumn();

        if (previous == nullptr)
            break;

        walk = columns.insert (columns.indexOf (walk), previous.release());
        content.addAndMakeVisible (walk);
    }

    if (removedWidth >= 0)
        added->setColumnWidth (juce::jmax (minimumTakenOverWidth, removedWidth));

    linkColumns();
    layoutColumns();
    refreshColumns();
    callListenersLastFirst (listeners, [this] (Listener& l) { l.columnsChanged (this); });
}

void ColumnBrowser::removeLastColumn()
{
    auto* column = columns.removeAndReturn (columns.size() - 1);

    if (! isDragSource (*column))
    {
        delete column;
        return;
    }

    // Out of sight but still in the tree, so the drag's mouse events reach it.
    column->setBounds (-column->getWidth() - 1, 0, column->getWidth(), column->getHeight());
    retiredColumns.add (column);
}

void ColumnBrowser::linkColumns()
{
    for (int i = 0; i < columns.size(); ++i)
        columns[i]->setNeighbours (columns[i - 1], columns[i + 1]);
}

void ColumnBrowser::layoutColumns()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    int totalWidth = 0;

    for (auto* column : columns)
        totalWidth += column->getColumnWidth();

    const bool scrollsSideways = totalWidth > getWidth();
    const int height = juce::jmax (0, getHeight() - (scrollsSideways ? getScrollBarThickness() : 0));
    int x = 0;

    for (auto* column : columns)
    {
        column->setBounds (x, 0, column->getColumnWidth(), height);
        x += column->getColumnWidth();
    }

    content.setSize (totalWidth, height);
}

void ColumnBrowser::refreshColumns()
{
    for (auto* column : columns)
        column->refresh();
}

juce::Colour ColumnBrowser::findSchemeColour (const juce::Component& component, SchemeColour colour)
{
    return FrameworkColours::find (component, FrameworkColours::columnBrowserSchemeFirst + colour);
}

void ColumnBrowser::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void ColumnBrowser::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void ColumnBrowser::selectionChangedIn (Column* column)
{
    callListenersLastFirst (listeners, [this, column] (Listener& l) { l.columnSelectionChanged (this, column); });
}

bool ColumnBrowser::isDragSource (const Column& column) const
{
    return dragSource != nullptr && column.isParentOf (dragSource);
}

void ColumnBrowser::dragOperationStarted (const juce::DragAndDropTarget::SourceDetails& details)
{
    dragSource = details.sourceComponent.get();
}

void ColumnBrowser::dragOperationEnded (const juce::DragAndDropTarget::SourceDetails&)
{
    dragSource = nullptr;
    retiredColumns.clear();
}

void ColumnBrowser::paint (juce::Graphics& g)
{
    g.fillAll (findSchemeColour (*this, browserBackground));
}

void ColumnBrowser::resized()
{
    juce::Viewport::resized();
    layoutColumns();
}

void ColumnBrowser::visibleAreaChanged (const juce::Rectangle<int>&)
{
    layoutColumns();
}
