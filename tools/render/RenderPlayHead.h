#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The host's transport during a render: playing from the start of the file
// at a fixed tempo in 4/4, moved on by each rendered block.
class RenderPlayHead : public juce::AudioPlayHead
{
public:
    RenderPlayHead (double tempoInBeatsPerMinute, double sampleRate);

    juce::Optional<PositionInfo> getPosition() const override;

    void advance (int numSamples);

private:
    double tempo;
    double sampleRate;
    juce::int64 samplePosition = 0;
};
