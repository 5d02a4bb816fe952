#include <gmock/gmock.h>

#include "framework/XmlUtilities.h"

namespace
{
juce::String nested (int depth)
{
    return juce::String::repeatedString ("<a>", depth) + juce::String::repeatedString ("</a>", depth);
}
} // namespace

TEST (XmlUtilities, RefusesTextThatIsNotUtf8OrNestedTooDeep)
{
    const char valid[] = "<root a=\"\xc3\xa9\"/>";
    const char invalid[] = "<root a=\"\xe9\"/>";
    EXPECT_NE (XmlUtilities::parseUtf8 (valid, sizeof (valid) - 1), nullptr);
    EXPECT_EQ (XmlUtilities::parseUtf8 (invalid, sizeof (invalid) - 1), nullptr);
    EXPECT_EQ (XmlUtilities::parseUtf8 (nullptr, 0), nullptr);

    EXPECT_NE (XmlUtilities::parseText (nested (XmlUtilities::maxNestingDepth)), nullptr);
    EXPECT_EQ (XmlUtilities::parseText (nested (200000)), nullptr);
    EXPECT_EQ (XmlUtilities::parseText ("<root><unclosed></root>"), nullptr);
}

// JUCE's own check lets overlong forms and surrogates through; the names read
// from them were written back as text that no longer read.
TEST (XmlUtilities, TakesOnlyStrictUtf8)
{
    const struct { const char* value; bool valid; } cases[] = {
        { "\xc3\xa9 \xe2\x82\xac \xef\xbf\xbf \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf", true },
        { "\xc1\xbf", false },          // overlong "\x7f"
        { "\xe0\x80\xaf", false },      // overlong "/"
        { "\xf0\x80\x80\xaf", false },  // overlong "/"
        { "\xed\xa7\x95", false },      // surrogate
        { "\xf4\x90\x80\x80", false },  // beyond U+10FFFF
        { "\xf8\x88\x80\x80\x80", false },
        { "\xe2\x82", false },          // cut short
        { "\x80", false },
    };

    for (const auto& c : cases)
    {
        const auto text = std::string ("<root a=\"") + c.value + "\"/>";
        SCOPED_TRACE (text);
        EXPECT_EQ (XmlUtilities::parseUtf8 (text.data(), text.size()) != nullptr, c.valid);
        EXPECT_EQ (XmlUtilities::isSafeToParse (text.data(), text.size()), c.valid);
    }
}

TEST (XmlUtilities, MeasuresNestingPastCommentsDeclarationsAndQuotes)
{
    const juce::String text ("<?xml version=\"1.0\"?><!-- <x><x><x> --><r a=\"<b>\" c='/>'><s/><t><![CDATA[<u><u>]]></t></r>");
    EXPECT_EQ (XmlUtilities::measureNestingDepth (text.getCharPointer()), 2);
}

// Forms where JUCE's parser would read markup the nesting count does not see,
// expand entities without bound or loop for ever (an instruction before text
// inside an element); all refused before parsing.
TEST (XmlUtilities, RefusesMarkupTheParserCouldReadDifferently)
{
    const auto deep = nested (1000);

    for (const juce::String& text : { juce::String ("<!DOCTYPE a [<!ENTITY e \"<a>&e;</a>\">]><a>&e;</a>"),
                              "<r><a b=x\">" + deep + "\"</r>",
                              "<r><a b=\"&x\">" + deep + ";\"/></r>",
                              juce::String::fromUTF8 ("<r><a\xc3\xa9 b=\"") + deep + "\"/></r>",
                              juce::String ("<r>&#xd800;</r>"),
                              juce::String ("<r><a b='1'/ ></r>"),
                              juce::String ("<r><unclosed>"),
                              juce::String ("<r><?pi?>text</r>"),
                              // Names JUCE's parser reads but its own name check refuses.
                              juce::String ("<r><1a/></r>"),
                              juce::String ("<r><a -b=\"1\"/></r>"),
                              juce::String ("<.r/>"),
                              // Ends right behind the "/" of an empty element.
                              juce::String ("<r/") })
    {
        SCOPED_TRACE (text);
        EXPECT_EQ (XmlUtilities::measureNestingDepth (text.getCharPointer()), -1);
        EXPECT_EQ (XmlUtilities::parseText (text), nullptr);
    }

    const auto references = "<r a=\"" + juce::String::repeatedString ("&amp;", 200000) + "\"/>";
    EXPECT_EQ (XmlUtilities::parseText (references), nullptr) << "quadratic to build";
    EXPECT_NE (XmlUtilities::parseText ("<r a=\"" + juce::String::repeatedString ("&amp;", 1000) + "\"/>"), nullptr);
}

TEST (XmlUtilities, WritesUtf8WithLineWidth60AndReadsItBack)
{
    juce::TemporaryFile temp (".xml");
    juce::XmlElement root ("Root");
    root.setAttribute ("name", juce::CharPointer_UTF8 ("Quilv\xc3\xa9rn"));

    for (int i = 0; i < 6; ++i)
        root.setAttribute ("attribute" + juce::String (i), "value");

    ASSERT_TRUE (XmlUtilities::writeFile (root, temp.getFile()));
    const auto written = temp.getFile().loadFileAsString();
    EXPECT_TRUE (written.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_GT (written.indexOf ("\n      a"), 0) << "long start tags wrap";

    auto back = XmlUtilities::readFile (temp.getFile());
    ASSERT_NE (back, nullptr);
    EXPECT_TRUE (back->isEquivalentTo (&root, false));
    EXPECT_EQ (XmlUtilities::readFile (temp.getFile().getSiblingFile ("missing.xml")), nullptr);
}

TEST (XmlUtilities, FindsTagsAndAttributesWithoutRegardToCase)
{
    juce::XmlElement e ("e");
    EXPECT_TRUE (XmlUtilities::hasTag (e, "E"));
    EXPECT_FALSE (XmlUtilities::hasTag (e, "f"));
    e.setAttribute ("Application", "Quilvern");
    EXPECT_EQ (XmlUtilities::getAttribute (e, "application"), "Quilvern");
    EXPECT_EQ (XmlUtilities::getAttribute (e, "name", "none"), "none");
    EXPECT_EQ (XmlUtilities::findAttribute (e, "name"), nullptr);
}
