#pragma once

#include "gui/browser/ListColumn.h"

class BasePluginOldStyle;

// What the preset browser's two columns share: the plug-in whose bank they
// show, rows that can be dragged and renamed, and the row icons.
class CommonColumn : public ListColumn
{
public:
    static constexpr const char* groupIcon = "GroupIcon.png";
    static constexpr const char* groupIconSelected = "GroupIconSelected.png";
    static constexpr const char* presetIcon = "PresetIcon.png";
    static constexpr const char* presetIconSelected = "PresetIconSelected.png";

    CommonColumn (BasePluginOldStyle& plugin, bool multipleSelection);

    BasePluginOldStyle& getPlugin() const noexcept { return plugin; }

    bool isResizable() const override;
    bool canDragRows() const override;
    bool canRenameRow (int row) const override;

protected:
    static juce::Image loadIcon (const char* fileName);

    BasePluginOldStyle& plugin;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CommonColumn)
};
