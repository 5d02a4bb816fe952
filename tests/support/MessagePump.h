#pragma once

#include <juce_events/juce_events.h>

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
};
