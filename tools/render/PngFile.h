#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Writes a palette image as a PNG file through libpng, compressed at zlib's
// fastest level: a spectrogram comes to a fifth of its stored size. The
// default level takes about three times as long for a third fewer bytes;
// run-length matching alone saves a few percent of the time for a quarter
// more bytes. (JUCE's own writer takes only RGB images and compresses them
// at the default level.)
class PngFile
{
public:
    // indexes: width x height palette positions, row after row. False when
    // the file cannot be written; it may then be incomplete.
    static bool writeIndexed (const std::vector<juce::uint8>& indexes, int width, int height,
                              const std::vector<juce::Colour>& palette, const juce::File& file);
};
