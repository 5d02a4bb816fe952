#pragma once

// Told by the preset bank whenever its current preset or its contents change.
// The bank class exposes this as its nested PresetManagerListener.
class PresetManagerListener
{
public:
    virtual ~PresetManagerListener() = default;

    virtual void presetChanged() = 0;
};
