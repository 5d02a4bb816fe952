#pragma once

#include "tools/render/Spectrograms.h"

#include <juce_graphics/juce_graphics.h>

#include <vector>

// The picture of a render's spectrograms: the input above the output, time
// across, frequency up on a log scale, level in dBFS as colour, with both
// axes and the colour scale labelled. Both panels share one colour scale,
// whose top follows the loudest level shown.
//
// The picture is kept as palette positions: the levels' colours and a ramp
// of greys for the labels, which JUCE draws. A PNG of a palette picture
// holds a third of the bytes of an RGB one.
class SpectrogramPicture
{
public:
    static constexpr int width = 880;
    static constexpr int height = 550;

    SpectrogramPicture (const Spectrograms& spectrograms, const juce::String& title);

    juce::Colour getPixel (int x, int y) const;
    juce::Image toImage() const;

    // Writes a PNG file; a failed write leaves no file behind.
    juce::Result write (const juce::File& file) const;

private:
    std::vector<juce::Colour> palette;
    std::vector<juce::uint8> indexes; // width x height, row after row
};
