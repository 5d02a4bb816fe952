#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The effect frame's MIDI events waiting to be handled: each block's events
// queue behind those carried over from the previous block, and events past
// the block's end are carried into the next one with their positions
// shifted. Both buffers are reserved once (reserve, off the audio thread) and
// never grow afterwards: an event that does not fit is handed back to the
// caller to handle at once instead of being queued.
class EffectMidiQueue
{
public:
    // Room for thousands of short messages per block plus some system exclusive data.
    static constexpr int reservedBytes = 128 * 1024;

    void reserve();
    void clear() noexcept;

    // Appends the block's events with a sample position of 0 or more, in
    // order; those that no longer fit go to handleAtOnce (position, message).
    template <typename Handler>
    void append (const juce::MidiBuffer& block, Handler&& handleAtOnce)
    {
        for (const auto metadata : block)
        {
            if (metadata.samplePosition < 0)
                continue;

            if (! fits (metadata.numBytes) || ! pending.addEvent (metadata.data, metadata.numBytes, metadata.samplePosition))
                handleAtOnce (metadata);
        }
    }

    const juce::MidiBuffer& getPending() const noexcept { return pending; }

    // Keeps the events at numSamples or later, moved numSamples earlier.
    void carryOver (int numSamples) noexcept;

private:
    bool fits (int numBytes) const noexcept;

    juce::MidiBuffer pending, spare;
    int reserved = 0;
};
