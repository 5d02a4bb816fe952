#pragma once

#include "gui/editor/NorvaneEffectEditor.h"

class GFXKnob;
class GFXSwitch;

// The product's editor: the two oscillator value lights follow the
// oscillators, and each oscillator shows its rate knob while it runs free
// and its note-rate switch (in the same place) while it follows the tempo.
class QuilvernEditor : public NorvaneEffectEditor
{
public:
    static constexpr int lfo1SyncIndex = 13;
    static constexpr int lfo2SyncIndex = 15;
    static constexpr int numSyncModes = 4;

    explicit QuilvernEditor (NorvaneEffect& effect);
    ~QuilvernEditor() override;

    void updateDisplay() override;
    void parameterChanged (Parameter* parameter) override;

    // Off, Full, Dotted or Triplet (0 to 3) for a sync parameter's value.
    static int getSyncMode (float normalisedValue);

private:
    struct Oscillator
    {
        GFXAnimation* light = nullptr;
        GFXKnob* rateKnob = nullptr;
        GFXSwitch* rateSwitch = nullptr;
        int lastSync = -1;
    };

    Oscillator findOscillator (const juce::String& prefix) const;
    static void showSyncMode (Oscillator& oscillator, int mode);

    Oscillator lfo1, lfo2;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuilvernEditor)
};
