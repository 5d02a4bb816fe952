#pragma once

// What the signal processor needs from its plug-in: applying the bank's
// current preset at the silent point of a click-free preset change.
class PresetApplier
{
public:
    virtual ~PresetApplier() = default;

    virtual void applyCurrentPreset() = 0;
};
