#include "gui/browser/List.h"

#include "gui/browser/ColumnBrowser.h"
#include "gui/browser/ItemComponent.h"
#include "gui/browser/ListColumn.h"

List::List (ListColumn& owner, bool multipleSelection)
    : column (owner)
{
    setRowHeight (ListColumn::rowHeight);
    setMultipleSelectionEnabled (multipleSelection);
    setOutlineThickness (1);
    setSchemeColours();
}

List::~List()
{
    setModel (nullptr);
}

// The model is set here rather than when the list is made: the column's
// rows can only be asked for once the column is complete.
void List::refreshRows()
{
    const juce::ScopedValueSetter<bool> guard (refreshing, true);

    if (getModel() == nullptr)
        setModel (this);

    updateContent();
    repaint();
}

ItemComponent* List::getItem (int row) const
{
    return dynamic_cast<ItemComponent*> (getComponentForRowNumber (row));
}

int List::getNumRows()
{
    return column.getNumRows();
}

juce::Component* List::refreshComponentForRow (int row, bool selected, juce::Component* existing)
{
    auto* item = dynamic_cast<ItemComponent*> (existing);

    if (item == nullptr)
    {
        delete existing;
        item = new ItemComponent (*this);
    }

    item->update (row, selected);
    return item;
}

void List::selectedRowsChanged (int lastRowSelected)
{
    column.selectionChanged (lastRowSelected, refreshing);
}

void List::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    if (getNumSelectedRows() == 1 && isRowSelected (row))
        column.startRenaming (row);
}

juce::var List::getDragSourceDescription (const juce::SparseSet<int>&)
{
    return column.canDragRows() ? juce::var (ListColumn::dragDescription) : juce::var();
}

void List::paintOverChildren (juce::Graphics& g)
{
    juce::ListBox::paintOverChildren (g);
    const auto& drop = column.getPendingDrop();

    if (drop.mode == ListColumn::DropMode::insertBefore || drop.mode == ListColumn::DropMode::insertAfter)
        paintInsertLine (g, drop.row, drop.mode == ListColumn::DropMode::insertAfter);
}

// A line on the border between two rows, with a dot at its start.
void List::paintInsertLine (juce::Graphics& g, int row, bool after)
{
    const auto rowArea = getRowPosition (row, true);
    const float y = (float) (after ? rowArea.getBottom() : rowArea.getY());
    g.setColour (ColumnBrowser::findSchemeColour (*this, ColumnBrowser::selectedRowFill));
    g.fillRect (juce::Rectangle<float> (4.0f, y - 1.0f, (float) getWidth() - 8.0f, 2.0f));
    g.fillEllipse (1.0f, y - 3.0f, 6.0f, 6.0f);
}

void List::setSchemeColours()
{
    setColour (juce::ListBox::backgroundColourId, ColumnBrowser::findSchemeColour (*this, ColumnBrowser::listBackground));
    setColour (juce::ListBox::outlineColourId, ColumnBrowser::findSchemeColour (*this, ColumnBrowser::listOutline));
}

void List::lookAndFeelChanged()
{
    juce::ListBox::lookAndFeelChanged();
    setSchemeColours();
}
