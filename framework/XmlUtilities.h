#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Reading and writing the plug-in's XML documents (descriptions, settings,
// map files and state chunks). Reading is defensive: text that is not UTF-8,
// files beyond a size limit, DTDs, malformed markup and elements nested
// absurdly deep are refused whole (nothing comes back), so a caller either
// gets a complete tree or none. Writing replaces a file in one step, so no
// reader ever sees half of it.
class XmlUtilities
{
public:
    // Larger than any document the plug-in writes by orders of magnitude.
    static constexpr juce::int64 maxFileSize = 4 * 1024 * 1024;
    // Deep enough for every format of the plug-in; deeper input could
    // exhaust the stack of the recursive parser.
    static constexpr int maxNestingDepth = 64;

    // True when JUCE's recursive XmlDocument parser can be given the text
    // without risk to the stack or to time: the text is within the size
    // limit, valid UTF-8 without overlong forms or encoded surrogates (the
    // bytes version), of the plain form
    // measureNestingDepth accepts and nested no deeper than maxNestingDepth.
    static bool isSafeToParse (const juce::String& text);
    static bool isSafeToParse (const char* utf8, size_t size);

    static std::unique_ptr<juce::XmlElement> parseText (const juce::String& text);
    static std::unique_ptr<juce::XmlElement> parseUtf8 (const void* data, size_t size);
    static std::unique_ptr<juce::XmlElement> readFile (const juce::File& file);
    // The same, and when nothing comes back, why (FileFailure): the file is
    // missing, cannot be read (the system's reason), is empty, or is too
    // large or no well-formed document ("damaged or not a <kind> file").
    static std::unique_ptr<juce::XmlElement> readFile (const juce::File& file, juce::Result& failure,
                                                       const juce::String& kind);

    // Writes a document with encoding "UTF-8" and a line width of 60 through
    // FileReplacer, so the file is always either the old or the new
    // document, also with two writers at once. On failure an existing file
    // is left as it was and the result says why.
    static juce::Result writeFile (const juce::XmlElement& element, const juce::File& file);

    // Whether the element's tag is the name, compared without regard to case
    // (JUCE's hasTagName asserts when the case differs).
    static bool hasTag (const juce::XmlElement& element, juce::StringRef name);

    // Attribute lookup with the attribute name compared without regard to
    // case; null when the element has no such attribute.
    static const juce::String* findAttribute (const juce::XmlElement& element, juce::StringRef name);
    static juce::String getAttribute (const juce::XmlElement& element, juce::StringRef name,
                                      const juce::String& defaultValue = {});

    // Deepest element nesting of the text, counted without recursion the
    // way JUCE's parser walks it; comments, CDATA, processing instructions
    // before the root and quoted attribute values are skipped. -1 when the
    // text leaves the plain form the parser is known to walk that way: a DTD,
    // a processing instruction inside an element (the parser can loop for
    // ever on one), a name outside ASCII, an element or attribute name that
    // JUCE would call invalid (starting with a digit, "-" or "."), an
    // unquoted or unterminated value, a loose "&", markup left open, or
    // references that would make the parser's attribute building quadratic.
    static int measureNestingDepth (juce::String::CharPointerType text);
};
