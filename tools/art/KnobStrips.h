#pragma once

#include <juce_graphics/juce_graphics.h>

// The rotary controls' film strips: the plain knobs with their value arc,
// the stepped stages knob, and the read-out knobs of the oscillators (rate,
// note rate, wave) whose window shows the setting above a smaller knob.
class KnobStrips
{
public:
    static juce::Image continuous (int width, int height, int frames, int scale);
    static juce::Image stages (int width, int height, int scale);
    static juce::Image wave (int width, int height, int scale);
    static juce::Image freeRate (int width, int height, int frames, int scale);
    static juce::Image noteRate (int width, int height, int frames, int scale);

    // The free rate in Hz at the centre of a frame, as the window shows it.
    static juce::String rateText (int frame, int frames);

private:
    static juce::Rectangle<int> windowArea (int width);
    static juce::Point<float> readoutKnobCentre (int width, int height);
};
