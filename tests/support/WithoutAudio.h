#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// A framework processor class with the audio operations, which only the
// effect frame gives meaning to, answered by doing nothing: for tests of the
// layers beneath the frame.
template <typename Base>
class WithoutAudio : public Base
{
public:
    using Base::Base;

    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
};
