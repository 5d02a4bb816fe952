#pragma once

#include <juce_events/juce_events.h>

#include <optional>

// Holds JUCE's message thread off while the calling thread builds or takes
// down components, when JUCE's message thread is another thread. JUCE's LV2
// and VST3 clients on Linux make and delete the plug-in on the host's thread
// while their own message thread may already be dispatching, and the editor
// is built with the plug-in. A message thread that does not answer within the
// time limit is not dispatching (JUCE stops its thread once the last editor
// has closed), so nothing runs beside the caller and it goes on unlocked.
class MessageThreadLock : private juce::Thread
{
public:
    explicit MessageThreadLock (int timeoutMs = 100);
    ~MessageThreadLock() override;

    bool isLocked() const noexcept { return lock.has_value() && lock->lockWasGained(); }

private:
    void run() override;

    const int timeoutMs;
    std::optional<juce::MessageManagerLock> lock;

    JUCE_DECLARE_NON_COPYABLE (MessageThreadLock)
};
