#include "gui/browser/OldStylePresetsBrowser.h"

#include "gui/browser/GroupListColumn.h"
#include "gui/browser/PresetListColumn.h"
#include "presets/BasePluginOldStyle.h"

OldStylePresetsBrowser::OldStylePresetsBrowser (BasePluginOldStyle& owner)
    : plugin (owner)
{
    auto& parameters = plugin.getParameterManager();
    parameters.addAsyncListener (BasePluginOldStyle::currentPresetNumberIndex, this);
    parameters.addAsyncListener (BasePluginOldStyle::currentPresetNameIndex, this);
    followCurrentPreset();
}

OldStylePresetsBrowser::~OldStylePresetsBrowser()
{
    auto& parameters = plugin.getParameterManager();
    parameters.removeAsyncListener (BasePluginOldStyle::currentPresetNameIndex, this);
    parameters.removeAsyncListener (BasePluginOldStyle::currentPresetNumberIndex, this);
}

GroupListColumn* OldStylePresetsBrowser::getGroupColumn() const
{
    return dynamic_cast<GroupListColumn*> (getColumn (0));
}

PresetListColumn* OldStylePresetsBrowser::getPresetColumn() const
{
    return dynamic_cast<PresetListColumn*> (getColumn (1));
}

void OldStylePresetsBrowser::followCurrentPreset()
{
    const int group = plugin.getGroupOfPreset (plugin.getCurrentPreset());

    if (group < 0)
        return;

    auto* presets = getPresetColumn();

    if (presets == nullptr || presets->getGroup() != group)
        addColumn (std::make_unique<PresetListColumn> (plugin, group));
    else
        refreshColumns();

    if (auto* shown = getPresetColumn())
        shown->showCurrentPreset();

    if (auto* groups = getGroupColumn())
        groups->selectRow (group);
}

void OldStylePresetsBrowser::parameterChanged (Parameter* parameter)
{
    if (parameter->getIndex() == BasePluginOldStyle::currentPresetNumberIndex)
        followCurrentPreset();
    else
        refreshColumns();
}
