#pragma once

#include "framework/IntParameter.h"

// A choice among named items, stored as the item's position 0..count-1.
class EnumParameter : public IntParameter
{
public:
    // The item list text is split at ";"; the piece after the last ";" is an
    // item only when it is not empty ("a;b" and "a;b;" both give two items).
    EnumParameter (int index, const juce::String& name, const juce::String& itemListText, int initialValue = 0);

    std::unique_ptr<Parameter> clone() const override;

    juce::String getText() const override;
    // An item's exact text selects it; other text is read as a normalised number.
    void setText (const juce::String& text, bool notify) override;

    const juce::StringArray& getItems() const noexcept { return items; }
    const juce::String& getItemListText() const noexcept { return itemListText; }

    static juce::StringArray splitItems (const juce::String& itemListText);

private:
    const juce::String itemListText;
    const juce::StringArray items;
};
