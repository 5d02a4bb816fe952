#pragma once

#include "engine/NorvaneEffect.h"

// The layer between the effect frame and the product that accepts what
// earlier versions of the product wrote: the older file extensions (the
// plug-in code and one letter: ".qvp", ".qvb", ".qvc"), the older element
// names (the plug-in's name before the current tag, with no condition on
// their "application") and the older project state. Only reading knows
// them; everything is written in the current formats.
class NorvaneOldCompatible : public NorvaneEffect
{
public:
    NorvaneOldCompatible();
    ~NorvaneOldCompatible() override;

    int getNumOldPresetFormats() const override;
    juce::String getOldPresetExtension (int format) const override;
    int getNumOldBankFormats() const override;
    juce::String getOldBankExtension (int format) const override;
    int getNumOldMidiMapFormats() const override;
    juce::String getOldMidiMapExtension (int format) const override;

    bool isPresetXml (const juce::XmlElement& element) const override;
    bool isPresetGroupXml (const juce::XmlElement& element) const override;
    bool isPresetBankXml (const juce::XmlElement& element) const override;
    bool isStateXml (const juce::XmlElement& element) const override;

    // An older state holds the frame's data, a bank and a map, and the
    // current preset's index on its root; having no parameter values, it
    // applies the current preset.
    void setStateFromXml (const juce::XmlElement& element) override;

private:
    bool hasOlderTag (const juce::XmlElement& element, const juce::String& currentTag) const;
    juce::String getOldExtension (int format, const char* letter) const;
    void setOlderStateFromXml (const juce::XmlElement& element);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NorvaneOldCompatible)
};
