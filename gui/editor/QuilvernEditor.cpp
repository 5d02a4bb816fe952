#include "gui/editor/QuilvernEditor.h"

#include "engine/NorvaneEffect.h"
#include "framework/SteppedValue.h"
#include "gui/controls/GFXAnimation.h"
#include "gui/controls/GFXKnob.h"
#include "gui/controls/GFXSwitch.h"

QuilvernEditor::QuilvernEditor (NorvaneEffect& effect)
    : NorvaneEffectEditor (effect),
      lfo1 (findOscillator ("LFO1")),
      lfo2 (findOscillator ("LFO2"))
{
}

QuilvernEditor::~QuilvernEditor() = default;

QuilvernEditor::Oscillator QuilvernEditor::findOscillator (const juce::String& prefix) const
{
    Oscillator oscillator;
    oscillator.light = dynamic_cast<GFXAnimation*> (findChildByName (prefix + "ValueLed"));
    oscillator.rateKnob = dynamic_cast<GFXKnob*> (findChildByName (prefix + "RateKnob"));
    oscillator.rateSwitch = dynamic_cast<GFXSwitch*> (findChildByName (prefix + "RateSwitch"));
    return oscillator;
}

void QuilvernEditor::updateDisplay()
{
    NorvaneEffectEditor::updateDisplay();

    float first = 0.0f, second = 0.0f;
    auto& effect = getEffect();

    if (effect.isPrepared())
        if (auto* core = effect.getCore())
            core->getPublishedOscillators (first, second);

    if (lfo1.light != nullptr)
        lfo1.light->setFrameFromValue (first);

    if (lfo2.light != nullptr)
        lfo2.light->setFrameFromValue (second);
}

int QuilvernEditor::getSyncMode (float normalisedValue)
{
    // Read as the oscillator and the parameter's text read it.
    return (int) SteppedValue::nearestStep (normalisedValue, numSyncModes - 1);
}

void QuilvernEditor::parameterChanged (Parameter* parameter)
{
    NorvaneEffectEditor::parameterChanged (parameter);

    if (parameter->getIndex() == lfo1SyncIndex)
        showSyncMode (lfo1, getSyncMode (parameter->getNormalizedValue()));
    else if (parameter->getIndex() == lfo2SyncIndex)
        showSyncMode (lfo2, getSyncMode (parameter->getNormalizedValue()));
}

void QuilvernEditor::showSyncMode (Oscillator& oscillator, int mode)
{
    if (mode == oscillator.lastSync)
        return;

    oscillator.lastSync = mode;
    const bool freeRunning = mode == 0;

    if (oscillator.rateKnob != nullptr)
        oscillator.rateKnob->setVisible (freeRunning);

    if (oscillator.rateSwitch != nullptr)
        oscillator.rateSwitch->setVisible (! freeRunning);
}
