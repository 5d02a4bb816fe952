#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Writes a palette image as a PNG file through libpng, its pixels stored
// without compression. zlib's cost hardly depends on the level or strategy:
// even its fastest level costs about five times what storing does (with
// adler32 and crc32), for pictures a fifth of the size. (JUCE's own writer
// takes only RGB images and compresses them at the default level.)
class PngFile
{
public:
    // indexes: width x height palette positions, row after row. False when
    // the file cannot be written; it may then be incomplete.
    static bool writeIndexed (const std::vector<juce::uint8>& indexes, int width, int height,
                              const std::vector<juce::Colour>& palette, const juce::File& file);
};
