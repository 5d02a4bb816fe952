#pragma once

#include <juce_graphics/juce_graphics.h>

// Judges the 2x face against the 1x face blown up to the same size: a
// picture of both side by side, and how many strong edges each keeps.
class ScaleComparison
{
public:
    // The 1x face at twice the size, as JUCE resamples a bitmap (bilinear).
    static juce::Image resampled (const juce::Image& image);

    // The fraction of pixels whose brightness gradient (Sobel, in levels
    // per pixel) exceeds strongEdge, about three eighths of full scale.
    static double strongEdgeDensity (const juce::Image& image);
    static constexpr float strongEdge = 96.0f;

    // One part (0 to 2) of the face: the resampled 1x face above the 2x
    // face, both enlarged by `factor` without smoothing.
    static juce::Image sideBySide (const juce::Image& face1x, const juce::Image& face2x, int part, int factor);

    // The edge densities of the drawn 2x face and of the 1x face resampled
    // and pixel-doubled, each relative to the 1x face's, as a line of text.
    static juce::String edgeReport (const juce::Image& face1x, const juce::Image& face2x);
};
