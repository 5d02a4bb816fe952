#pragma once

#include <juce_graphics/juce_graphics.h>

// The Tahoma-compatible faces kept beside the artwork (tahoma.ttf and
// tahomabd.ttf), loaded from their file data so that the labels look the
// same on every machine that regenerates the art.
class ArtFonts
{
public:
    // Fails when either font file is missing or does not load.
    juce::Result load (const juce::File& resourceFolder);

    juce::Font plain (float height) const;
    juce::Font bold (float height) const;

private:
    static juce::Typeface::Ptr loadTypeface (const juce::File& file);

    juce::Typeface::Ptr plainFace, boldFace;
};
