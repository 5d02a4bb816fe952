#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Reading and writing the plug-in's XML documents (descriptions, settings and
// map files). Reading is defensive: text that is not UTF-8, files beyond a
// size limit and elements nested absurdly deep are refused whole (nothing
// comes back), so a caller either gets a complete tree or none.
class XmlUtilities
{
public:
    // Larger than any document the plug-in writes by orders of magnitude.
    static constexpr juce::int64 maxFileSize = 4 * 1024 * 1024;
    // Deep enough for every format of the plug-in; deeper input could
    // exhaust the stack of the recursive parser.
    static constexpr int maxNestingDepth = 64;

    static std::unique_ptr<juce::XmlElement> parseText (const juce::String& text);
    static std::unique_ptr<juce::XmlElement> parseUtf8 (const void* data, size_t size);
    static std::unique_ptr<juce::XmlElement> readFile (const juce::File& file);

    // Writes a document with encoding "UTF-8" and a line width of 60;
    // false when the write failed.
    static bool writeFile (const juce::XmlElement& element, const juce::File& file);

    // Attribute lookup with the attribute name compared without regard to
    // case; null when the element has no such attribute.
    static const juce::String* findAttribute (const juce::XmlElement& element, juce::StringRef name);
    static juce::String getAttribute (const juce::XmlElement& element, juce::StringRef name,
                                      const juce::String& defaultValue = {});

    // Deepest element nesting of the text, counted cheaply without parsing;
    // comments, CDATA, declarations and quoted attribute values are skipped.
    static int measureNestingDepth (juce::String::CharPointerType text);
};
