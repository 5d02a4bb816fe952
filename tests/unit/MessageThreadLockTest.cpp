#include <gtest/gtest.h>

#include "framework/MessageThreadLock.h"
#include "support/MessagePump.h"

#include <atomic>
#include <thread>

// The test program's main thread is JUCE's message thread.
TEST (MessageThreadLock, TakesTheMessageThreadOnlyFromAnotherThreadAndOnlyWhileItDispatches)
{
    {
        const MessageThreadLock onMessageThread;
        EXPECT_FALSE (onMessageThread.isLocked()) << "the message thread needs no lock of its own";
    }

    // While the message loop runs, another thread gets the lock.
    std::atomic<bool> lockedWhileDispatching { false };
    std::atomic<bool> done { false };
    std::thread builder ([&] {
        const MessageThreadLock lock (5000);
        lockedWhileDispatching = lock.isLocked();
        done = true;
    });
    for (int i = 0; i < 100 && ! done; ++i)
        MessagePump::run (20);
    builder.join();
    EXPECT_TRUE (lockedWhileDispatching);

    // A message thread that does not dispatch is not waited for beyond the limit.
    std::atomic<bool> lockedWithoutDispatch { true };
    std::thread late ([&] {
        const MessageThreadLock lock (50);
        lockedWithoutDispatch = lock.isLocked();
    });
    late.join();
    EXPECT_FALSE (lockedWithoutDispatch);

    // Its abandoned request must not wedge the loop for the next one.
    MessagePump::run (50);
}
