#pragma once

// The preset bank's hook for changing presets without a click: the bank asks
// its changer to perform the change instead of applying the preset at once.
// The bank class exposes this as its nested PresetChanger.
class PresetChanger
{
public:
    virtual ~PresetChanger() = default;

    virtual void requestPresetChange() {}
};
