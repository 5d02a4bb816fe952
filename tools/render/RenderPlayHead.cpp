#include "tools/render/RenderPlayHead.h"

#include <cmath>

namespace
{
constexpr int beatsPerBar = 4;
}

RenderPlayHead::RenderPlayHead (double tempoInBeatsPerMinute, double rate)
    : tempo (tempoInBeatsPerMinute), sampleRate (rate)
{
}

juce::Optional<juce::AudioPlayHead::PositionInfo> RenderPlayHead::getPosition() const
{
    const auto seconds = (double) samplePosition / sampleRate;
    const auto quarterNotes = seconds * tempo / 60.0;

    PositionInfo info;
    info.setBpm (tempo);
    info.setTimeSignature (TimeSignature { beatsPerBar, 4 });
    info.setTimeInSamples (samplePosition);
    info.setTimeInSeconds (seconds);
    info.setPpqPosition (quarterNotes);
    info.setPpqPositionOfLastBarStart (std::floor (quarterNotes / beatsPerBar) * beatsPerBar);
    info.setBarCount ((juce::int64) std::floor (quarterNotes / beatsPerBar));
    info.setIsPlaying (true);
    return info;
}

void RenderPlayHead::advance (int numSamples)
{
    samplePosition += numSamples;
}
