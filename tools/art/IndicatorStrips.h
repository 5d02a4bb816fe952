#pragma once

#include <juce_graphics/juce_graphics.h>

// The strips the editor drives from the audio side: the level meters
// (frame k lights the k lowest segments) and the oscillator lights (a lit
// dot travelling along a slot with the oscillator's value).
class IndicatorStrips
{
public:
    // `column` is where the segments sit inside each frame.
    static juce::Image levelMeter (int width, int frameHeight, int frames, juce::Rectangle<int> column, int scale);
    static juce::Image oscillatorLight (int width, int frameHeight, int frames, int scale);

    static juce::Colour segmentColour (int segment, int segments);

private:
    static void paintSegment (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour, bool lit);
};
