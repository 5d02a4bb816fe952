#include "framework/XmlUtilities.h"

namespace
{
using Chars = juce::String::CharPointerType;

// Moves p behind the next occurrence of the marker (or to the end).
void skipPast (Chars& p, const char* marker)
{
    const auto found = juce::CharacterFunctions::find (p, juce::CharPointer_ASCII (marker));
    p = found.isEmpty() ? found : found + (int) strlen (marker);
}

bool startsWith (Chars p, const char* prefix)
{
    return juce::CharacterFunctions::compareUpTo (p, juce::CharPointer_ASCII (prefix), (int) strlen (prefix)) == 0;
}

// p is just behind "<" of a start tag; moves it behind the closing ">" and
// tells whether the tag closed itself ("/>").
bool skipStartTag (Chars& p)
{
    juce::juce_wchar quote = 0, previous = 0;

    while (! p.isEmpty())
    {
        const auto c = p.getAndAdvance();

        if (quote != 0)
        {
            if (c == quote)
                quote = 0;
        }
        else if (c == '"' || c == '\'')
        {
            quote = c;
        }
        else if (c == '>')
        {
            return previous == '/';
        }

        previous = c;
    }

    return true;
}
} // namespace

int XmlUtilities::measureNestingDepth (juce::String::CharPointerType p)
{
    int depth = 0, deepest = 0;

    while (! p.isEmpty())
    {
        if (p.getAndAdvance() != '<')
            continue;

        if (startsWith (p, "!--"))
            skipPast (p, "-->");
        else if (startsWith (p, "![CDATA["))
            skipPast (p, "]]>");
        else if (*p == '?' || *p == '!')
            skipPast (p, ">");
        else if (*p == '/')
            --depth, skipPast (p, ">");
        else if (! skipStartTag (p))
            deepest = juce::jmax (deepest, ++depth);
    }

    return deepest;
}

std::unique_ptr<juce::XmlElement> XmlUtilities::parseText (const juce::String& text)
{
    if (text.isEmpty() || measureNestingDepth (text.getCharPointer()) > maxNestingDepth)
        return {};

    // Parsing from text (not from a file) keeps external entities out.
    return juce::XmlDocument (text).getDocumentElement();
}

std::unique_ptr<juce::XmlElement> XmlUtilities::parseUtf8 (const void* data, size_t size)
{
    if (data == nullptr || size == 0 || size > (size_t) maxFileSize)
        return {};

    auto* bytes = static_cast<const char*> (data);

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
        bytes += 3, size -= 3;

    if (! juce::CharPointer_UTF8::isValidString (bytes, (int) size))
        return {};

    return parseText (juce::String::fromUTF8 (bytes, (int) size));
}

std::unique_ptr<juce::XmlElement> XmlUtilities::readFile (const juce::File& file)
{
    if (! file.existsAsFile() || file.getSize() > maxFileSize)
        return {};

    juce::MemoryBlock data;

    if (! file.loadFileAsData (data))
        return {};

    return parseUtf8 (data.getData(), data.getSize());
}

bool XmlUtilities::writeFile (const juce::XmlElement& element, const juce::File& file)
{
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return element.writeTo (file, format);
}

const juce::String* XmlUtilities::findAttribute (const juce::XmlElement& element, juce::StringRef name)
{
    for (int i = 0; i < element.getNumAttributes(); ++i)
        if (element.getAttributeName (i).equalsIgnoreCase (name))
            return &element.getAttributeValue (i);

    return nullptr;
}

juce::String XmlUtilities::getAttribute (const juce::XmlElement& element, juce::StringRef name,
                                         const juce::String& defaultValue)
{
    const auto* value = findAttribute (element, name);
    return value != nullptr ? *value : defaultValue;
}
