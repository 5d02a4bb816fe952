#include "fuzz/FuzzTarget.h"

#if defined (QUILVERN_LIBFUZZER)
 #include "support/AssertionLogger.h"

 #include <juce_gui_basics/juce_gui_basics.h>

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
// A JUCE assertion that an input reaches (tools/fuzz.sh builds with them
// logged) is a finding like a crash: the input is kept.
// Every host has a message manager before it makes an instance; without one
// the targets that post async updates would end on JUCE's assertion about it
// at their first input. Made first, it is also shut down last at exit.
extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    AssertionLogger::install ([] (const juce::String&) { std::abort(); });
    static juce::ScopedJuceInitialiser_GUI juce;
    return 0;
}
#endif
