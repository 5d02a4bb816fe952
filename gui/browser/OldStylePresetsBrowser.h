#pragma once

#include "framework/Parameter.h"
#include "gui/browser/ColumnBrowser.h"

class BasePluginOldStyle;
class GroupListColumn;
class PresetListColumn;

// The bank as two columns: the groups, and the presets of the chosen group.
// It follows the current preset (its group's presets open, its row and its
// group's row selected), also when a host's MIDI program change chose it on
// the audio thread: the preset parameters tell this browser on the message
// thread.
class OldStylePresetsBrowser : public ColumnBrowser,
                               private Parameter::Listener
{
public:
    explicit OldStylePresetsBrowser (BasePluginOldStyle& plugin);
    ~OldStylePresetsBrowser() override;

    BasePluginOldStyle& getPlugin() const noexcept { return plugin; }
    GroupListColumn* getGroupColumn() const;
    PresetListColumn* getPresetColumn() const;

    void followCurrentPreset();

private:
    void parameterChanged (Parameter* parameter) override;

    BasePluginOldStyle& plugin;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetsBrowser)
};
