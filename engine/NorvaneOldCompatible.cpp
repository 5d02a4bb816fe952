#include "engine/NorvaneOldCompatible.h"

#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

NorvaneOldCompatible::NorvaneOldCompatible() = default;
NorvaneOldCompatible::~NorvaneOldCompatible() = default;

//==============================================================================
int NorvaneOldCompatible::getNumOldPresetFormats() const { return 1; }
int NorvaneOldCompatible::getNumOldBankFormats() const { return 1; }
int NorvaneOldCompatible::getNumOldMidiMapFormats() const { return 1; }

juce::String NorvaneOldCompatible::getOldPresetExtension (int format) const { return getOldExtension (format, "p"); }
juce::String NorvaneOldCompatible::getOldBankExtension (int format) const { return getOldExtension (format, "b"); }
juce::String NorvaneOldCompatible::getOldMidiMapExtension (int format) const { return getOldExtension (format, "c"); }

juce::String NorvaneOldCompatible::getOldExtension (int format, const char* letter) const
{
    if (format != 0)
        return {};

    return ("." + getPluginCode() + letter).toLowerCase();
}

//==============================================================================
bool NorvaneOldCompatible::hasOlderTag (const juce::XmlElement& element, const juce::String& currentTag) const
{
    return element.getTagName().equalsIgnoreCase (getPluginName() + currentTag);
}

bool NorvaneOldCompatible::isPresetXml (const juce::XmlElement& element) const
{
    return NorvaneEffect::isPresetXml (element) || hasOlderTag (element, "Preset");
}

bool NorvaneOldCompatible::isPresetGroupXml (const juce::XmlElement& element) const
{
    return NorvaneEffect::isPresetGroupXml (element) || hasOlderTag (element, "PresetGroup");
}

bool NorvaneOldCompatible::isPresetBankXml (const juce::XmlElement& element) const
{
    return NorvaneEffect::isPresetBankXml (element) || hasOlderTag (element, "PresetBank");
}

bool NorvaneOldCompatible::isStateXml (const juce::XmlElement& element) const
{
    return NorvaneEffect::isStateXml (element) || hasOlderTag (element, "PluginState");
}

//==============================================================================
void NorvaneOldCompatible::setStateFromXml (const juce::XmlElement& element)
{
    if (hasOlderTag (element, "PluginState"))
        setOlderStateFromXml (element);
    else
        NorvaneEffect::setStateFromXml (element);
}

void NorvaneOldCompatible::setOlderStateFromXml (const juce::XmlElement& element)
{
    auto& midiControl = getMidiControl();

    for (auto* child : element.getChildIterator())
    {
        if (child->getTagName().equalsIgnoreCase ("UniqueData"))
            readUniqueData (*child);
        else if (isPresetBankXml (*child))
            readBankXml (*child);
        else if (midiControl.isMapXml (*child))
            midiControl.loadFromXml (*child);
    }

    selectPreset (NumberText::readInteger (XmlUtilities::getAttribute (element, "currentPreset")), true);
    applyCurrentPresetIfInBank();
}
