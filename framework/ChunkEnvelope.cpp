#include "framework/ChunkEnvelope.h"

#include "framework/XmlUtilities.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>
#include <limits>

namespace
{
// "VC2!", then the text length.
constexpr juce::uint32 chunkMagic = 0x21324356;
constexpr int chunkHeaderSize = 8;
// The zero byte after the text and one spare byte.
constexpr size_t chunkTrailerSize = 2;

void writeLittleEndian (char* destination, juce::uint32 value)
{
    const auto stored = juce::ByteOrder::swapIfBigEndian (value);
    std::memcpy (destination, &stored, sizeof (stored));
}

// JUCE's one-line writer dereferences its null line break for an element
// that follows text in its parent and has children or long attributes.
bool hasElementAfterText (const juce::XmlElement& element)
{
    bool afterText = false;

    for (auto* child : element.getChildIterator())
    {
        if (! child->isTextElement() && (afterText || hasElementAfterText (*child)))
            return true;

        afterText = child->isTextElement();
    }

    return false;
}
} // namespace

void ChunkEnvelope::write (const juce::XmlElement& xml, juce::MemoryBlock& destData)
{
    // Written by hand rather than with copyXmlToBinary, whose block in this
    // JUCE version starts the text with an XML declaration and ends after
    // the zero byte. The chunk keeps the layout projects have always held:
    // "VC2!", the text's length, the whole document on one line without a
    // declaration, a zero byte and one spare byte. getXmlFromBinary reads both.
    auto format = juce::XmlElement::TextFormat().singleLine().withoutHeader();

    if (hasElementAfterText (xml))
    {
        format.newLineChars = " ";
        format.lineWrapLength = std::numeric_limits<int>::max();
    }

    const auto text = xml.toString (format);
    const auto textLength = text.getNumBytesAsUTF8();

    destData.setSize (chunkHeaderSize + textLength + chunkTrailerSize, true);
    auto* bytes = static_cast<char*> (destData.getData());
    writeLittleEndian (bytes, chunkMagic);
    writeLittleEndian (bytes + 4, (juce::uint32) textLength);
    text.copyToUTF8 (bytes + chunkHeaderSize, textLength + 1);
}

std::unique_ptr<juce::XmlElement> ChunkEnvelope::read (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= chunkHeaderSize || juce::ByteOrder::littleEndianInt (data) != chunkMagic)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto textLength = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (textLength <= 0)
        return {};

    // JUCE's parser recurses per nesting level and trusts the text to be
    // UTF-8; a chunk from a damaged or hostile project must not reach it
    // unless it is safe.
    const auto available = (size_t) juce::jmin (textLength, sizeInBytes - chunkHeaderSize);

    if (! XmlUtilities::isSafeToParse (bytes + chunkHeaderSize, available))
        return {};

    return juce::AudioProcessor::getXmlFromBinary (data, sizeInBytes);
}
