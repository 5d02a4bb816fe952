#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// How the skin document is read: tags and attribute names without regard to
// case; of several children with one tag, or several attributes with one
// name, the first counts. Values are integers (leading blanks, a sign and
// the digits up to the first other character; no digits gives 0), booleans
// (true when the first non-blank character is 1, t, T, y or Y), colours
// (every hexadecimal digit in the text, in order, as 32-bit ARGB) or text.
// An absent attribute gives the default.
class SkinXml
{
public:
    static bool hasTag (const juce::XmlElement& element, juce::StringRef tag);
    static const juce::XmlElement* firstChild (const juce::XmlElement& element, juce::StringRef tag);
    static std::vector<const juce::XmlElement*> children (const juce::XmlElement& element, juce::StringRef tag);

    static juce::String readString (const juce::XmlElement& element, juce::StringRef name,
                                    const juce::String& defaultValue = {});
    static int readInt (const juce::XmlElement& element, juce::StringRef name, int defaultValue = 0);
    static bool readBool (const juce::XmlElement& element, juce::StringRef name, bool defaultValue = false);
    static juce::Colour readColour (const juce::XmlElement& element, juce::StringRef name,
                                    const juce::String& defaultValue = "0");

    static int parseInt (const juce::String& text);
    static bool parseBool (const juce::String& text);
    static juce::Colour parseColour (const juce::String& text);
};
