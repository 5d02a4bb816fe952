#include "fuzz/FuzzTarget.h"

#if defined (QUILVERN_LIBFUZZER)
 #include "support/AssertionLogger.h"

 #include <juce_gui_basics/juce_gui_basics.h>

 #include <atomic>
 #include <cstdio>
 #include <cstdlib>
#else
 #include <gtest/gtest.h>
#endif

std::vector<FuzzTarget>& FuzzTarget::all()
{
    static std::vector<FuzzTarget> targets;
    return targets;
}

void fuzzExpect (bool condition, const char* what)
{
    if (condition)
        return;

#if defined (QUILVERN_LIBFUZZER)
    std::fprintf (stderr, "fuzz property broken: %s\n", what);
    std::abort();
#else
    ADD_FAILURE() << "fuzz property broken: " << what;
#endif
}

#if defined (QUILVERN_LIBFUZZER)
namespace
{
std::atomic<bool> inputRunning { false };
}

int FuzzTarget::runInput (Entry entry, const std::uint8_t* data, std::size_t size)
{
    inputRunning = true;
    const auto result = entry (data, size);
    inputRunning = false;
    return result;
}

// A JUCE assertion that an input reaches (tools/fuzz.sh builds with them
// logged) is a finding like a crash: the input is kept. Assertions after the
// run (JUCE's leak detectors among the static destructors) are only printed.
// Every host has a message manager before it makes an instance; without one
// the targets that post async updates would end on JUCE's assertion about it
// at their first input. It is never shut down: libFuzzer ends the process
// with exit(), and a shutdown among the static destructors would delete
// JUCE's objects through lists and singletons already destroyed.
extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    AssertionLogger::install ([] (const juce::String&) {
        if (inputRunning)
            std::abort();
    });
    juce::initialiseJuce_GUI();
    return 0;
}
#endif
