#include "gui/browser/Column.h"

#include "gui/browser/ColumnBrowser.h"

Column::Column() = default;

Column::~Column() = default;

bool Column::canFollow (const Column*) const { return true; }
bool Column::hasRightPredecessor (const Column*) const { return true; }
std::unique_ptr<Column> Column::createPreviousColumn() { return nullptr; }
bool Column::isResizable() const { return false; }
int Column::getColumnWidth() const { return width; }

void Column::refresh()
{
    repaint();
}

void Column::setColumnWidth (int newWidth)
{
    width = newWidth;
}

ColumnBrowser* Column::getBrowser() const
{
    return findParentComponentOfClass<ColumnBrowser>();
}

void Column::setNeighbours (Column* left, Column* right)
{
    previous = left;
    next = right;
    last = right == nullptr;
}
