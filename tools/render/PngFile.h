#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Writes a palette image as a PNG file through libpng, at zlib's fastest
// level. (JUCE's own writer takes only RGB images and compresses them at
// the default level, which costs several times more.)
class PngFile
{
public:
    // indexes: width x height palette positions, row after row. False when
    // the file cannot be written; it may then be incomplete.
    static bool writeIndexed (const std::vector<juce::uint8>& indexes, int width, int height,
                              const std::vector<juce::Colour>& palette, const juce::File& file);
};
