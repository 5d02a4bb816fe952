#pragma once

#include "gui/WindowComponent.h"

class BasePluginOldStyle;

// The preset browser's window, drawn inside the editor. Its lists of groups
// and presets are not written yet; until then the window is an empty frame
// in the place the editor gives it.
class OldStylePresetBrowserWindow : public WindowComponent
{
public:
    static constexpr int defaultWidth = 639;
    static constexpr int defaultHeight = 350;

    explicit OldStylePresetBrowserWindow (BasePluginOldStyle& plugin);

private:
    BasePluginOldStyle& plugin;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetBrowserWindow)
};
