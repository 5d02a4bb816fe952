#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

// A JUCE AsyncUpdater whose trigger may come from the audio thread. JUCE's
// trigger posts a message, and on Linux posting into an empty message queue
// allocates the queue's storage (the queue frees it again whenever it runs
// empty) under a lock. So away from the message thread a trigger only
// raises a flag; a timer on the message thread, shared by every such
// updater, turns raised flags into JUCE's trigger every few milliseconds.
// On the message thread the trigger is JUCE's own. Either way a pending
// update absorbs further triggers.
class RealtimeAsyncUpdater : public juce::AsyncUpdater
{
public:
    RealtimeAsyncUpdater();
    ~RealtimeAsyncUpdater() override;

    void triggerAsyncUpdate();
    void cancelPendingUpdate() noexcept;

private:
    class Relay;
    friend class Relay;

    std::atomic<bool> raised { false };
    juce::SharedResourcePointer<Relay> relay;

    JUCE_DECLARE_NON_COPYABLE (RealtimeAsyncUpdater)
};
