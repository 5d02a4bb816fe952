#pragma once

#include <juce_graphics/juce_graphics.h>

// Where an image is drawn at a scale of its own (a 2x picture at 1.5 or
// 1.75, a 1x one at 1.25), resampling it costs about ten times copying it.
// The picture resampled for a part of an image, its scale and where it lands
// between two pixels is therefore kept, and a repaint copies it 1:1 onto the
// pixels: the same pixels as resampling there again.
//
// The pictures are kept with the image they come from (the 1x image of a
// set), for one scale of the context at a time: a change of scale drops
// them. They hold at most twice the pixels that image has at that scale.
// Message thread only.
class ResampledPictures
{
public:
    // Draws the part of `image` (owner's picture at the context's scale: owner
    // itself or its 2x set) with the transform, as JUCE's high-quality
    // resampling draws it. False, having drawn nothing, where it keeps no
    // picture: where the context needs no resampling (a move by whole
    // pixels), turns or mirrors, or is not JUCE's software renderer.
    static bool draw (juce::Graphics& g, const juce::Image& owner, const juce::Image& image,
                      juce::Rectangle<int> part, const juce::AffineTransform& toDestination);

    // The number of pictures kept with the image.
    static int countKept (const juce::Image& owner);
};
