#include "engine/EffectMidiQueue.h"

namespace
{
// What MidiBuffer stores per event besides the message bytes.
constexpr int eventHeaderBytes = (int) (sizeof (juce::int32) + sizeof (juce::uint16));
} // namespace

void EffectMidiQueue::reserve()
{
    pending.ensureSize ((size_t) reservedBytes);
    spare.ensureSize ((size_t) reservedBytes);
    reserved = reservedBytes;
    clear();
}

void EffectMidiQueue::clear() noexcept
{
    pending.clear();
    spare.clear();
}

bool EffectMidiQueue::fits (int numBytes) const noexcept
{
    return pending.data.size() + eventHeaderBytes + numBytes <= reserved;
}

void EffectMidiQueue::carryOver (int numSamples) noexcept
{
    spare.clear();

    // A subset of pending, so it fits the spare buffer's equal reservation.
    for (const auto metadata : pending)
        if (metadata.samplePosition >= numSamples)
            spare.addEvent (metadata.data, metadata.numBytes, metadata.samplePosition - numSamples);

    pending.swapWith (spare);
    spare.clear();
}
