#pragma once

#include "framework/Parameter.h"

#include <atomic>

// A real value in [min, max], held in one lock-free atomic cell.
class FloatParameter : public Parameter
{
public:
    FloatParameter (int index, const juce::String& name, float minimum, float maximum, float initialValue);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalizedValue() const override;
    int getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalizedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

    float getMinimum() const noexcept { return minimum; }
    float getMaximum() const noexcept { return maximum; }

private:
    // Clamps to the range; NaN gives the minimum.
    float limit (double value) const noexcept;
    void store (float newValue, bool notify);

    const float minimum, maximum;
    std::atomic<float> value;

    static_assert (std::atomic<float>::is_always_lock_free);
};
