#pragma once

#include "framework/Parameter.h"

#include <atomic>

// A whole number in [min, max], held in one lock-free atomic cell. Base of
// the enumeration and note kinds, which only change the range and the texts.
class IntParameter : public Parameter
{
public:
    IntParameter (int index, const juce::String& name, int minimum, int maximum, int initialValue);

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

    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }

private:
    int limit (long long value) const noexcept;
    void store (int newValue, bool notify);

    const int minimum, maximum;
    std::atomic<int> value;
};
