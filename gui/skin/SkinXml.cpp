#include "gui/skin/SkinXml.h"

#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

bool SkinXml::hasTag (const juce::XmlElement& element, juce::StringRef tag)
{
    return element.getTagName().equalsIgnoreCase (tag);
}

const juce::XmlElement* SkinXml::firstChild (const juce::XmlElement& element, juce::StringRef tag)
{
    for (const auto* child : element.getChildIterator())
        if (hasTag (*child, tag))
            return child;

    return nullptr;
}

std::vector<const juce::XmlElement*> SkinXml::children (const juce::XmlElement& element, juce::StringRef tag)
{
    std::vector<const juce::XmlElement*> found;

    for (const auto* child : element.getChildIterator())
        if (hasTag (*child, tag))
            found.push_back (child);

    return found;
}

juce::String SkinXml::readString (const juce::XmlElement& element, juce::StringRef name,
                                  const juce::String& defaultValue)
{
    return XmlUtilities::getAttribute (element, name, defaultValue);
}

int SkinXml::readInt (const juce::XmlElement& element, juce::StringRef name, int defaultValue)
{
    const auto* value = XmlUtilities::findAttribute (element, name);
    return value != nullptr ? parseInt (*value) : defaultValue;
}

bool SkinXml::readBool (const juce::XmlElement& element, juce::StringRef name, bool defaultValue)
{
    const auto* value = XmlUtilities::findAttribute (element, name);
    return value != nullptr ? parseBool (*value) : defaultValue;
}

juce::Colour SkinXml::readColour (const juce::XmlElement& element, juce::StringRef name,
                                  const juce::String& defaultValue)
{
    return parseColour (readString (element, name, defaultValue));
}

int SkinXml::parseInt (const juce::String& text)
{
    return NumberText::readInteger (text);
}

bool SkinXml::parseBool (const juce::String& text)
{
    const auto first = text.trimStart()[0];
    return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
}

juce::Colour SkinXml::parseColour (const juce::String& text)
{
    // Later digits push earlier ones out: the last eight count.
    return juce::Colour ((juce::uint32) text.getHexValue32());
}
