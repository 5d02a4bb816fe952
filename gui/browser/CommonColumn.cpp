#include "gui/browser/CommonColumn.h"

#include "gui/look/EmbeddedImages.h"

CommonColumn::CommonColumn (BasePluginOldStyle& owner, bool multipleSelection)
    : ListColumn (multipleSelection), plugin (owner)
{
}

bool CommonColumn::isResizable() const { return false; }
bool CommonColumn::canDragRows() const { return true; }
bool CommonColumn::canRenameRow (int) const { return true; }

juce::Image CommonColumn::loadIcon (const char* fileName)
{
    return EmbeddedImages::load (fileName);
}
