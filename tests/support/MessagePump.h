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
};
