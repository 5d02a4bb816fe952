#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The binary envelope around the XML of a state chunk: "VC2!", the text's
// length (little-endian), the document on one line without an XML
// declaration, a zero byte and a spare byte: n + 10 bytes in all. JUCE's
// getXmlFromBinary reads it.
class ChunkEnvelope
{
public:
    // The XML a chunk carries: nothing when the block is not a chunk (8 bytes
    // or less, another magic number, a length of 0 or less) or when its
    // text, the first min (length, size - 8) bytes, is not safe to parse.
    // Then it goes to JUCE's getXmlFromBinary, which reads those same bytes.
    static std::unique_ptr<juce::XmlElement> read (const void* data, int sizeInBytes);

    // The chunk of the XML. A tree with an element after text in the same
    // parent, which crashes JUCE's one-line writer, is written with spaces
    // where that writer would break lines.
    static void write (const juce::XmlElement& xml, juce::MemoryBlock& destData);
};
