#pragma once

#include "framework/Parameter.h"

// A text value guarded by a read/write lock. A writer keeps the write lock
// while the synchronous listeners run; they may read the text again on the
// same thread.
class StringParameter : public Parameter
{
public:
    StringParameter (int index, const juce::String& name, const juce::String& initialText = {});

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalizedValue() const override;
    int getIntValue() const override;
    // Reads the text as BoolParameter's words do, other text as a number >= 0.5.
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalizedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

private:
    void store (const juce::String& newText, bool notify);

    juce::String text;
    juce::ReadWriteLock lock;
};
