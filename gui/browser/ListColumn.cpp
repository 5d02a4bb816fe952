#include "gui/browser/ListColumn.h"

#include "gui/browser/ColumnBrowser.h"
#include "gui/browser/ItemComponent.h"
#include "gui/browser/List.h"

ListColumn::ListColumn (bool multipleSelection)
    : list (std::make_unique<List> (*this, multipleSelection))
{
    addAndMakeVisible (*list);
}

ListColumn::~ListColumn()
{
    stopTimer();
}

//==============================================================================
juce::Image ListColumn::getRowIcon (int, bool) const { return {}; }
bool ListColumn::rowHasChildren (int) const { return false; }
bool ListColumn::canDragRows() const { return false; }
bool ListColumn::canRenameRow (int) const { return false; }
std::unique_ptr<Column> ListColumn::createNextColumn (int) { return nullptr; }
bool ListColumn::rowTextEdited (int, const juce::String&) { return false; }
bool ListColumn::acceptsDropOnColumn (ListColumn&) const { return false; }
bool ListColumn::acceptsDropOnRow (ListColumn&, int) const { return false; }
bool ListColumn::acceptsInsert (ListColumn&, int) const { return false; }
void ListColumn::dropOnColumn (ListColumn&) {}
void ListColumn::dropOnRow (ListColumn&, int) {}
void ListColumn::insertRows (ListColumn&, int, bool) {}

void ListColumn::rowSelected (int row)
{
    if (auto* browser = getBrowser())
        browser->addColumn (createNextColumn (row));
}

//==============================================================================
void ListColumn::refresh()
{
    list->refreshRows();
    repaint();
}

void ListColumn::selectRow (int row)
{
    if (juce::isPositiveAndBelow (row, getNumRows()))
    {
        list->selectRow (row);
        list->scrollToEnsureRowIsOnscreen (row);
    }
    else
        list->deselectAllRows();
}

juce::SparseSet<int> ListColumn::getSelectedRows() const { return list->getSelectedRows(); }
int ListColumn::getNumSelectedRows() const { return list->getNumSelectedRows(); }
bool ListColumn::isRowSelected (int row) const { return list->isRowSelected (row); }

void ListColumn::startRenaming (int row)
{
    if (! juce::isPositiveAndBelow (row, getNumRows()) || ! canRenameRow (row))
        return;

    list->scrollToEnsureRowIsOnscreen (row);

    if (auto* item = list->getItem (row))
        item->startRenaming();
}

// A selection cut by re-reading the rows is no choice of the user's: only
// the browser hears of it.
void ListColumn::selectionChanged (int lastRowSelected, bool byRefresh)
{
    juce::Component::SafePointer<ListColumn> self (this);

    if (! byRefresh && lastRowSelected >= 0)
        rowSelected (lastRowSelected);

    if (self != nullptr)
        if (auto* browser = getBrowser())
            browser->selectionChangedIn (this);
}

//==============================================================================
ListColumn::DropTarget ListColumn::findDropTarget (ListColumn& source, juce::Point<int> position) const
{
    const auto inList = list->getLocalPoint (this, position);
    const int row = list->getLocalBounds().contains (inList) ? list->getRowContainingPosition (inList.x, inList.y) : -1;

    if (row < 0)
        return acceptsDropOnColumn (source) ? DropTarget { DropMode::onColumn, -1 } : DropTarget {};

    const int offset = inList.y - list->getRowPosition (row, true).getY();
    const bool canInsert = acceptsInsert (source, row);

    if (acceptsDropOnRow (source, row))
    {
        if (offset < insertEdge && canInsert)
            return { DropMode::insertBefore, row };

        if (offset < rowHeight - insertEdge || ! canInsert)
            return { DropMode::onRow, row };

        return { DropMode::insertAfter, row };
    }

    if (canInsert)
        return { offset < rowHeight / 2 ? DropMode::insertBefore : DropMode::insertAfter, row };

    return acceptsDropOnColumn (source) ? DropTarget { DropMode::onColumn, -1 } : DropTarget {};
}

void ListColumn::performDrop (ListColumn& source, DropTarget target)
{
    juce::Component::SafePointer<ColumnBrowser> browser (getBrowser());

    switch (target.mode)
    {
        case DropMode::onColumn:     dropOnColumn (source); break;
        case DropMode::onRow:        dropOnRow (source, target.row); break;
        case DropMode::insertBefore: insertRows (source, target.row, false); break;
        case DropMode::insertAfter:  insertRows (source, target.row, true); break;
        case DropMode::none:         return;
    }

    if (browser != nullptr)
        browser->refreshColumns();
}

ListColumn* ListColumn::findSourceColumn (const SourceDetails& details) const
{
    if (details.description.toString() != dragDescription)
        return nullptr;

    auto* sourceList = dynamic_cast<List*> (details.sourceComponent.get());
    auto* browser = getBrowser();

    if (sourceList == nullptr || browser == nullptr)
        return nullptr;

    auto& source = sourceList->getColumn();
    return source.getBrowser() == browser ? &source : nullptr;
}

bool ListColumn::isInterestedInDragSource (const SourceDetails& details)
{
    return findSourceColumn (details) != nullptr;
}

void ListColumn::itemDragEnter (const SourceDetails& details)
{
    itemDragMove (details);
}

void ListColumn::itemDragMove (const SourceDetails& details)
{
    if (auto* source = findSourceColumn (details))
    {
        hover (*source, details.localPosition);
        startTimer (autoScrollIntervalMs);
    }
}

void ListColumn::itemDragExit (const SourceDetails&)
{
    stopTimer();
    hoveringSource = nullptr;
    setPendingDrop ({});
}

void ListColumn::itemDropped (const SourceDetails& details)
{
    itemDragExit (details);

    if (auto* source = findSourceColumn (details))
        performDrop (*source, findDropTarget (*source, details.localPosition));
}

// Entering the drop on a row selects that row, so that a group row shows
// its presets while a preset is held over it.
void ListColumn::hover (ListColumn& source, juce::Point<int> position)
{
    hoveringSource = &source;
    hoverPosition = position;
    const auto target = findDropTarget (source, position);
    const auto previous = pendingDrop;
    setPendingDrop (target);

    if (target.mode == DropMode::onRow && target != previous && ! isRowSelected (target.row))
        selectRow (target.row);
}

void ListColumn::setPendingDrop (DropTarget target)
{
    if (target == pendingDrop)
        return;

    pendingDrop = target;
    repaint();
    list->repaint();
}

void ListColumn::timerCallback()
{
    autoScrollStep();
}

void ListColumn::autoScrollStep()
{
    if (hoveringSource == nullptr)
    {
        stopTimer();
        return;
    }

    auto* view = list->getViewport();
    const auto inView = view->getLocalPoint (this, hoverPosition);

    if (view->autoScroll (inView.x, inView.y, autoScrollBorder, autoScrollSpeed))
        hover (*hoveringSource, hoverPosition);
}

//==============================================================================
void ListColumn::paint (juce::Graphics& g)
{
    g.fillAll (ColumnBrowser::findSchemeColour (*this, ColumnBrowser::columnBackground));
}

// The frame of a pending drop on the column itself.
void ListColumn::paintOverChildren (juce::Graphics& g)
{
    if (pendingDrop.mode != DropMode::onColumn)
        return;

    g.setColour (ColumnBrowser::findSchemeColour (*this, ColumnBrowser::selectedRowFill));
    g.drawRect (list->getBounds().expanded (2), 2);
}

void ListColumn::resized()
{
    list->setBounds (getLocalBounds().reduced (listInset));
}
