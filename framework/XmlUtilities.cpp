#include "framework/XmlUtilities.h"

#include "framework/FileFailure.h"
#include "framework/FileReplacer.h"

namespace
{
using Chars = juce::String::CharPointerType;

bool startsWith (Chars p, const char* prefix)
{
    return juce::CharacterFunctions::compareUpTo (p, juce::CharPointer_ASCII (prefix), (int) strlen (prefix)) == 0;
}

// p is on the opening text: moves it behind the next occurrence of the
// closing marker after it; false when there is none.
bool skipPast (Chars& p, const char* opening, const char* marker)
{
    const auto found = juce::CharacterFunctions::find (p + (int) strlen (opening), juce::CharPointer_ASCII (marker));

    if (found.isEmpty())
        return false;

    p = found + (int) strlen (marker);
    return true;
}

// The ASCII characters JUCE's parser takes as part of a name. Names are held
// to ASCII: whether it takes other letters depends on the locale.
bool isNameChar (juce::juce_wchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || c == '_' || c == '-' || c == ':' || c == '.';
}

// Element and attribute names must also start the way JUCE's own name check
// demands: its parser reads names starting with a digit, "-" or "." too, and
// then asserts on the element or attribute it makes of them.
bool isNameStartChar (juce::juce_wchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool skipName (Chars& p)
{
    if (! isNameChar (*p))
        return false;

    while (isNameChar (*p))
        ++p;

    return true;
}

void skipSpaceInTag (Chars& p)
{
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')
        ++p;
}

bool isContinuation (unsigned char c, unsigned char low = 0x80, unsigned char high = 0xbf)
{
    return c >= low && c <= high;
}

// Strict UTF-8 up to the end or the first NUL: JUCE's own check lets overlong
// forms and encoded surrogates through, which its string functions then
// re-encode differently, so names read from them would be written into
// documents that no longer read.
bool isValidUtf8 (const char* text, size_t size)
{
    const auto* p = reinterpret_cast<const unsigned char*> (text);
    const auto* end = p + size;

    while (p < end && *p != 0)
    {
        const unsigned char c = *p;
        int trailing = 0;
        unsigned char low = 0x80, high = 0xbf;

        if (c < 0x80)                  trailing = 0;
        else if (c >= 0xc2 && c <= 0xdf) trailing = 1;
        else if (c == 0xe0)            trailing = 2, low = 0xa0;
        else if (c == 0xed)            trailing = 2, high = 0x9f;
        else if (c >= 0xe1 && c <= 0xef) trailing = 2;
        else if (c == 0xf0)            trailing = 3, low = 0x90;
        else if (c == 0xf4)            trailing = 3, high = 0x8f;
        else if (c >= 0xf1 && c <= 0xf3) trailing = 3;
        else                           return false;

        if (end - p <= trailing || (trailing > 0 && ! isContinuation (p[1], low, high)))
            return false;

        for (int i = 2; i <= trailing; ++i)
            if (! isContinuation (p[i]))
                return false;

        p += 1 + trailing;
    }

    return true;
}

bool isCharacterCode (juce::int64 code)
{
    return code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
}

// p is on "&": moves it behind a well-formed reference ("&name;", "&#65;",
// "&#x41;"). Anything looser is refused: the parser's recovery from it can
// skip far ahead, past quotes and tags.
bool skipReference (Chars& p)
{
    ++p;

    if (*p != '#')
    {
        if (! skipName (p) || *p != ';')
            return false;

        ++p;
        return true;
    }

    ++p;
    const bool hex = (*p == 'x' || *p == 'X');

    if (hex)
        ++p;

    juce::int64 code = 0;
    int digits = 0;

    for (; *p != ';'; ++p)
    {
        const int digit = hex ? juce::CharacterFunctions::getHexDigitValue (*p)
                              : (*p >= '0' && *p <= '9' ? (int) (*p - '0') : -1);

        if (digit < 0 || ++digits > 7)
            return false;

        code = code * (hex ? 16 : 10) + digit;
    }

    ++p;
    return isCharacterCode (code);
}

// Walks a document the way JUCE's XmlDocument parser does, without
// recursion, over the plain form of XML the plug-in's readers take: no DTD,
// names in ASCII, quoted attribute values, well-formed references. Text that
// leaves that form is refused, because there the parser's recovery can read
// markup this walk would not see.
class DocumentScanner
{
public:
    explicit DocumentScanner (Chars text) : p (text) {}

    // The deepest nesting of the root element, or -1 when refused.
    int run()
    {
        if (! skipProlog() || *p != '<')
            return -1;

        ++p;

        if (! enterElement())
            return -1;

        while (depth > 0)
            if (! step())
                return -1;

        return deepest;
    }

private:
    // Whitespace, comments and processing instructions (the XML declaration
    // among them) before the root; a DTD is refused.
    bool skipProlog()
    {
        for (;;)
        {
            skipSpaceInTag (p);

            if (startsWith (p, "<!--"))
            {
                if (! skipPast (p, "<!--", "-->"))
                    return false;
            }
            else if (startsWith (p, "<?"))
            {
                if (! skipPast (p, "<?", "?>"))
                    return false;
            }
            else
            {
                return true;
            }
        }
    }

    // One piece of element content: a character, a reference or markup.
    bool step()
    {
        const auto c = *p;

        if (c == 0)
            return false;

        if (c == '&')
            return skipReference (p);

        if (c != '<')
        {
            ++p;
            return true;
        }

        if (startsWith (p, "<!--"))
            return skipPast (p, "<!--", "-->");

        if (startsWith (p, "<![CDATA["))
            return skipPast (p, "<![CDATA[", "]]>");

        // Inside an element JUCE's parser loops for ever on a processing
        // instruction followed by text: it skips the instruction, finds text,
        // steps back to read the text from before the instruction, and stops
        // at its "<" again. The plug-in never writes one there.
        if (startsWith (p, "<?"))
            return false;

        if (startsWith (p, "</"))
        {
            --depth;
            return skipPast (p, "", ">");
        }

        ++p;
        return enterElement();
    }

    // p is behind "<" of a start tag.
    bool enterElement()
    {
        if (! isNameStartChar (*p) || ! skipName (p))
            return false;

        for (;;)
        {
            skipSpaceInTag (p);

            if (*p == '/')
            {
                // Stepping past the terminator of a document that ends in
                // "/" would trip JUCE's string assertions.
                if (*++p != '>')
                    return false;

                ++p;
                return true;
            }

            if (*p == '>')
            {
                ++p;
                deepest = juce::jmax (deepest, ++depth);
                return true;
            }

            if (! skipAttribute())
                return false;
        }
    }

    bool skipAttribute()
    {
        if (! isNameStartChar (*p) || ! skipName (p))
            return false;

        skipSpaceInTag (p);

        if (*p != '=')
            return false;

        skipSpaceInTag (++p);
        const auto quote = *p;

        if (quote != '"' && quote != '\'')
            return false;

        juce::int64 length = 0, references = 0;

        for (++p; *p != quote; ++length)
        {
            if (p.isEmpty())
                return false;

            if (*p == '&')
            {
                if (! skipReference (p))
                    return false;

                ++references;
            }
            else
            {
                ++p;
            }
        }

        ++p;
        // The parser appends each reference to the value by walking the value
        // so far, so many references in a long value cost quadratic time.
        referenceCost += references * length;
        return referenceCost <= maxReferenceCost;
    }

    static constexpr juce::int64 maxReferenceCost = (juce::int64) 1 << 26;

    Chars p;
    int depth = 0, deepest = 0;
    juce::int64 referenceCost = 0;
};
} // namespace

int XmlUtilities::measureNestingDepth (juce::String::CharPointerType text)
{
    return DocumentScanner (text).run();
}

bool XmlUtilities::isSafeToParse (const juce::String& text)
{
    const int depth = measureNestingDepth (text.getCharPointer());
    return depth >= 0 && depth <= maxNestingDepth;
}

bool XmlUtilities::isSafeToParse (const char* utf8, size_t size)
{
    return utf8 != nullptr && size > 0 && size <= (size_t) maxFileSize
        && isValidUtf8 (utf8, size)
        && isSafeToParse (juce::String::fromUTF8 (utf8, (int) size));
}

std::unique_ptr<juce::XmlElement> XmlUtilities::parseText (const juce::String& text)
{
    if (text.isEmpty() || ! isSafeToParse (text))
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

    if (! isValidUtf8 (bytes, size))
        return {};

    return parseText (juce::String::fromUTF8 (bytes, (int) size));
}

std::unique_ptr<juce::XmlElement> XmlUtilities::readFile (const juce::File& file)
{
    auto failure = juce::Result::ok();
    return readFile (file, failure, {});
}

std::unique_ptr<juce::XmlElement> XmlUtilities::readFile (const juce::File& file, juce::Result& failure,
                                                          const juce::String& kind)
{
    if (! file.existsAsFile())
    {
        failure = file.isDirectory() ? FileFailure::notOfKind (kind) : FileFailure::fileMissing();
        return {};
    }

    juce::FileInputStream in (file);

    if (in.failedToOpen())
    {
        failure = FileFailure::fromSystem (in.getStatus().getErrorMessage());
        return {};
    }

    const auto size = in.getTotalLength();

    if (size <= 0 || size > maxFileSize)
    {
        failure = size == 0 ? FileFailure::fileEmpty() : FileFailure::damaged (kind);
        return {};
    }

    juce::MemoryBlock data;

    if (in.readIntoMemoryBlock (data) != (size_t) size || in.getStatus().failed())
    {
        failure = FileFailure::fromSystem (in.getStatus().getErrorMessage());
        return {};
    }

    auto xml = parseUtf8 (data.getData(), data.getSize());
    failure = xml != nullptr ? juce::Result::ok() : FileFailure::damaged (kind);
    return xml;
}

// JUCE's own writeTo (File) falls back to copying over the target when the
// rename fails, which could leave half a file; this never touches the target
// except by the rename.
juce::Result XmlUtilities::writeFile (const juce::XmlElement& element, const juce::File& file)
{
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;

    return FileReplacer::replace (file, [&] (juce::OutputStream& out) { element.writeTo (out, format); });
}

bool XmlUtilities::hasTag (const juce::XmlElement& element, juce::StringRef name)
{
    return element.getTagName().equalsIgnoreCase (name);
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
