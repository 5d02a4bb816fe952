#pragma once

#include "framework/Parameter.h"

#include <atomic>

// On or off, held in one lock-free atomic cell; shown as "true"/"false" or
// "on"/"off".
class BoolParameter : public Parameter
{
public:
    enum class TextStyle
    {
        trueFalse,
        onOff
    };

    BoolParameter (int index, const juce::String& name, TextStyle style, bool initialValue = false);

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
    // "true", "1", "on", "yes" / "false", "0", "off", "no" (exact case); any
    // other text is read as a normalised number.
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

    // The word's meaning, or -1 when the text is none of the eight words.
    static int readWord (const juce::String& text);

private:
    void store (bool on, bool notify);

    const TextStyle style;
    std::atomic<int> value;
};
