#pragma once

#include <juce_core/juce_core.h>

#include <cstdio>
#include <functional>

// JUCE's assertions, in a build that logs them (JUCE_LOG_ASSERTIONS=1, as the
// sanitizer and fuzz trees are built), reach the current logger. This one
// prints every message and hands assertions to a function that turns them
// into failures; without that definition nothing ever reaches it.
class AssertionLogger : public juce::Logger
{
public:
    using Handler = std::function<void (const juce::String& message)>;

    // Installed for the rest of the process and never deleted: JUCE's leak
    // detectors assert while static objects are destroyed after main.
    static void install (Handler onAssertion)
    {
        juce::Logger::setCurrentLogger (new AssertionLogger (std::move (onAssertion)));
    }

    void logMessage (const juce::String& message) override
    {
        std::fprintf (stderr, "%s\n", message.toRawUTF8());

        if (message.startsWith ("JUCE Assertion failure"))
            handler (message);
    }

private:
    explicit AssertionLogger (Handler onAssertion) : handler (std::move (onAssertion)) {}

    Handler handler;
};
