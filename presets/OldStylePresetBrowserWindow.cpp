#include "presets/OldStylePresetBrowserWindow.h"

OldStylePresetBrowserWindow::OldStylePresetBrowserWindow (BasePluginOldStyle& owner)
    : plugin (owner)
{
    juce::ignoreUnused (plugin);
    setSize (defaultWidth, defaultHeight);
}
