#include <gmock/gmock.h>

#include "framework/ChunkEnvelope.h"
#include "fuzz/WalkingPlugin.h"
#include "framework/XmlUtilities.h"
#include "support/MessagePump.h"

namespace
{
constexpr juce::uint32 magic = 0x21324356;
const juce::String stateText ("<PluginState application=\"Quilvern\"><ParametersState/></PluginState>");

// A chunk as copyXmlToBinary lays it out, with any length field, magic and tail.
juce::MemoryBlock chunk (const juce::MemoryBlock& text, juce::int64 length, juce::uint32 magicNumber = magic,
                         bool withTail = true)
{
    juce::MemoryOutputStream out;
    out.writeInt ((int) magicNumber);
    out.writeInt ((int) length);
    out.write (text.getData(), text.getSize());

    if (withTail)
        out.writeShort (0);

    return out.getMemoryBlock();
}

juce::MemoryBlock utf8 (const juce::String& text)
{
    return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
}

juce::MemoryBlock chunk (const juce::String& text)
{
    return chunk (utf8 (text), (juce::int64) text.getNumBytesAsUTF8());
}

juce::String nested (int depth)
{
    return juce::String::repeatedString ("<a>", depth) + juce::String::repeatedString ("</a>", depth);
}

struct RestoreLog : BasePlugin::StateListener
{
    void stateRestored (BasePlugin*) override { ++restored; }
    int restored = 0;
};
} // namespace

// What JUCE's getXmlFromBinary itself does with the length field, on text
// that is safe to parse: a length beyond the data reads the bytes present,
// a length of 0 or less gives nothing, a shorter one cuts the text.
TEST (StateChunk, JucesReaderTakesTheBytesPresentAndRefusesLengthsOfZeroOrLess)
{
    const auto text = utf8 (stateText);
    const auto longer = chunk (text, 0x7fffffff, magic, false);
    auto xml = juce::AudioProcessor::getXmlFromBinary (longer.getData(), (int) longer.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("PluginState"));

    for (int length : { 0, -1, std::numeric_limits<int>::min() })
    {
        const auto block = chunk (text, length);
        EXPECT_EQ (juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize()), nullptr) << length;
    }

    const auto shorter = chunk (utf8 (stateText + "<Other/>"), stateText.getNumBytesAsUTF8());
    xml = juce::AudioProcessor::getXmlFromBinary (shorter.getData(), (int) shorter.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("PluginState"));
}

TEST (StateChunk, DamagedOrHostileChunksChangeNothingButStillCountAsRestored)
{
    const auto valid = chunk (stateText);
    const char invalidUtf8[] = "<PluginState application=\"Quilv\xe9rn\"/>";
    const auto enormous = "<PluginState a=\"" + juce::String::repeatedString ("x", (int) XmlUtilities::maxFileSize) + "\"/>";
    const auto header = juce::MemoryBlock (valid.getData(), 8);
    const auto truncated = juce::MemoryBlock (valid.getData(), valid.getSize() / 2);

    const std::vector<std::pair<const char*, juce::MemoryBlock>> cases {
        { "header alone (8 bytes)", header },
        { "4 bytes", juce::MemoryBlock (valid.getData(), 4) },
        { "wrong magic", chunk (utf8 (stateText), stateText.length(), magic + 1) },
        { "length 0", chunk (utf8 (stateText), 0) },
        { "length -1", chunk (utf8 (stateText), -1) },
        { "text cut in the middle", truncated },
        { "invalid UTF-8", chunk (juce::MemoryBlock (invalidUtf8, sizeof (invalidUtf8) - 1), sizeof (invalidUtf8) - 1) },
        { "nested past the limit", chunk (nested (XmlUtilities::maxNestingDepth + 1)) },
        { "nested 200000 deep", chunk (nested (200000)) },
        { "nesting hidden behind an unquoted value", chunk ("<a><b c=x\">" + nested (200000) + "\"</a>") },
        { "instruction before text, which hangs JUCE's parser", chunk ("<r><?pi?>text</r>") },
        { "recursive entity", chunk ("<!DOCTYPE a [<!ENTITY e \"<a>&e;</a>\">]><a>&e;</a>") },
        { "enormous text", chunk (enormous) },
    };

    WalkingPlugin plugin;
    RestoreLog log;
    plugin.addStateListener (&log);

    for (const auto& [name, block] : cases)
    {
        SCOPED_TRACE (name);
        plugin.setStateInformation (block.getData(), (int) block.getSize());
        plugin.setCurrentProgramStateInformation (block.getData(), (int) block.getSize());
        EXPECT_EQ (plugin.stateVisits + plugin.programVisits, 0);
        MessagePump::run (1);
    }

    EXPECT_EQ (log.restored, (int) cases.size()) << "each bank chunk raises the restored notice";
    plugin.setStateInformation (nullptr, 0);
    plugin.removeStateListener (&log);
}

TEST (StateChunk, ReadsValidChunksWhateverTheLengthFieldClaims)
{
    const auto longer = chunk (utf8 (stateText), 1 << 30, magic, false);
    const auto shorter = chunk (utf8 (stateText + "<Other/>"), stateText.getNumBytesAsUTF8());
    const auto deepest = chunk (nested (XmlUtilities::maxNestingDepth));

    for (const auto* block : { &longer, &shorter, &deepest })
    {
        WalkingPlugin plugin;
        plugin.setStateInformation (block->getData(), (int) block->getSize());
        plugin.setCurrentProgramStateInformation (block->getData(), (int) block->getSize());
        EXPECT_GT (plugin.stateVisits, 0);
        EXPECT_GT (plugin.programVisits, 0);
    }
}

// The second state has an element with children after text, which JUCE's
// one-line writer cannot write.
TEST (StateChunk, BothChunkKindsRoundTrip)
{
    for (const char* stateXml : { "<PluginState application=\"Quilvern\"><p name=\"Caf\xc3\xa9 &amp; &lt;co&gt;\" value=\"0.748000026\"/></PluginState>",
                                  "<PluginState>text<UniqueData><x/></UniqueData></PluginState>" })
    {
        SCOPED_TRACE (stateXml);
        WalkingPlugin source, target;
        source.lastState = juce::parseXML (juce::String::fromUTF8 (stateXml));
        source.lastProgram = juce::parseXML ("<Preset application=\"Quilvern\" name=\"One\" rev=\"1\"/>");

        juce::MemoryBlock state, program;
        source.getStateInformation (state);
        source.getCurrentProgramStateInformation (program);
        EXPECT_EQ (state.getSize(), (size_t) juce::ByteOrder::littleEndianInt (state.begin() + 4) + 10);

        target.setStateInformation (state.getData(), (int) state.getSize());
        target.setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
        ASSERT_NE (target.lastState, nullptr);
        ASSERT_NE (target.lastProgram, nullptr);
        EXPECT_TRUE (target.lastState->isEquivalentTo (source.lastState.get(), false));
        EXPECT_TRUE (target.lastProgram->isEquivalentTo (source.lastProgram.get(), false));
    }
}

TEST (StateChunk, BytesAreTheEnvelopeAroundOneLineWithoutDeclaration)
{
    juce::XmlElement state ("PluginState");
    state.setAttribute ("application", "Quilvern");
    state.createNewChildElement ("UniqueData");

    juce::MemoryBlock chunk;
    ChunkEnvelope::write (state, chunk);

    const std::string text = "<PluginState application=\"Quilvern\"><UniqueData/></PluginState>";
    std::string expected = "VC2!";
    expected += std::string ("\x00\x00\x00\x00", 4);
    expected[4] = (char) text.size();
    expected += text;
    expected += std::string ("\x00\x00", 2);

    EXPECT_EQ (std::string (static_cast<const char*> (chunk.getData()), chunk.getSize()), expected);
}
