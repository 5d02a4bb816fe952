#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <memory>

// Delivers pending messages (asynchronous updates, timers) on the test's
// message thread.
struct MessagePump
{
    static void run (int milliseconds = 20)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    // For updates raised on another thread: those reach the message thread
    // through a timer, which a busy machine may run late. Returns whether
    // the condition came true within the deadline.
    template <typename Condition>
    static bool runUntil (Condition done, int timeoutMilliseconds = 5000)
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;

        while (! done())
        {
            if (juce::Time::getMillisecondCounter() >= deadline)
                return false;

            run (5);
        }

        return true;
    }

    // Delivers every message posted on the message thread before the call
    // (asynchronous updates triggered there, repaints), however long a busy
    // machine takes: they come before a marker posted behind them. Returns
    // whether the marker arrived within the deadline.
    static bool deliverPosted (int timeoutMilliseconds = 5000)
    {
        const auto delivered = std::make_shared<std::atomic<bool>> (false);
        juce::MessageManager::callAsync ([delivered] { delivered->store (true); });
        return runUntil ([&delivered] { return delivered->load(); }, timeoutMilliseconds);
    }
};
