#include "framework/MessageThreadLock.h"

namespace
{
bool needsLock()
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();
    return messageManager != nullptr && ! messageManager->isThisTheMessageThread()
        && ! messageManager->currentThreadHasLockedMessageManager();
}
} // namespace

MessageThreadLock::MessageThreadLock (int timeout) : juce::Thread ("Message thread lock timeout"), timeoutMs (timeout)
{
    if (! needsLock() || ! startThread())
        return;

    // The lock gives up waiting once this thread is told to exit, which
    // run() does when the time is up.
    lock.emplace (static_cast<juce::Thread*> (this));
    notify();
    stopThread (-1);
}

MessageThreadLock::~MessageThreadLock() = default;

void MessageThreadLock::run()
{
    if (! wait (timeoutMs))
        signalThreadShouldExit();
}
