#include "framework/RealtimeAsyncUpdater.h"

// The message-thread timer that passes raised flags on to JUCE.
class RealtimeAsyncUpdater::Relay : private juce::Timer
{
public:
    static constexpr int intervalMs = 5;

    // Without a message manager no update is ever delivered, so programs
    // that run none get no timer thread either.
    Relay()
    {
        if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
            startTimer (intervalMs);
    }

    ~Relay() override { stopTimer(); }

    void add (RealtimeAsyncUpdater& updater)
    {
        const juce::ScopedLock sl (lock);
        updaters.add (&updater);
    }

    void remove (RealtimeAsyncUpdater& updater)
    {
        const juce::ScopedLock sl (lock);
        updaters.removeFirstMatchingValue (&updater);
    }

private:
    void timerCallback() override
    {
        const juce::ScopedLock sl (lock);

        for (auto* updater : updaters)
            if (updater->raised.exchange (false))
                updater->juce::AsyncUpdater::triggerAsyncUpdate();
    }

    juce::CriticalSection lock;
    juce::Array<RealtimeAsyncUpdater*> updaters;
};

RealtimeAsyncUpdater::RealtimeAsyncUpdater()
{
    relay->add (*this);
}

RealtimeAsyncUpdater::~RealtimeAsyncUpdater()
{
    relay->remove (*this);
}

void RealtimeAsyncUpdater::triggerAsyncUpdate()
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        juce::AsyncUpdater::triggerAsyncUpdate();
    else
        raised.store (true);
}

void RealtimeAsyncUpdater::cancelPendingUpdate() noexcept
{
    raised.store (false);
    juce::AsyncUpdater::cancelPendingUpdate();
}
