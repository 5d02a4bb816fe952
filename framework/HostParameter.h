#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class BasePlugin;

// One host slot of a BasePlugin as a JUCE parameter object, for the formats
// whose hosts know parameters by an identifier (VST3, LV2). Its value, name
// and current text are the slot's, exactly as the VST 2.4 library reports
// them; it adds a stable identifier made from the name ("LFO 1 Sync" gives
// "lfo_1_sync"), the default the parameter was built with, its steps, and
// texts at other values.
class HostParameter : public juce::AudioProcessorParameterWithID
{
public:
    HostParameter (BasePlugin& plugin, int slot, const juce::String& name);

    // Lower case; every run of other characters than letters and digits
    // becomes one "_", none at either end.
    static juce::String makeIdentifier (const juce::String& name);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    int getNumSteps() const override;
    bool isDiscrete() const override;
    bool isAutomatable() const override;

    juce::String getText (float normalisedValue, int maximumLength) const override;
    juce::String getCurrentValueAsText() const override;
    // The step, or the value on a fine grid, whose text is the text;
    // otherwise the slot's parameter reads the text.
    float getValueForText (const juce::String& text) const override;

private:
    BasePlugin& plugin;
    const int slot;
    const float defaultValue;
    const int stepCount;
};
