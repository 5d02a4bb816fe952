#include <gmock/gmock.h>
#include <juce_events/juce_events.h>

#include "support/AssertionLogger.h"

#include <cstdlib>

#if defined (__linux__)
 #include <dlfcn.h>
#endif

namespace
{
// A JUCE assertion fails the test that hit it; one outside every test (a
// leak detector's at exit) fails the program.
void failOnAssertion (const juce::String& message)
{
    if (::testing::UnitTest::GetInstance()->current_test_info() != nullptr)
        ADD_FAILURE() << message;
    else
        std::abort();
}

// JUCE opens the X libraries when the first window is made and closes them
// when its window system goes at shutdown. Whatever those libraries keep
// for the display would then count as leaked, from code no longer mapped;
// kept mapped for the whole process, it stays reachable through their own
// globals, as in any program linked against them.
void keepXLibrariesLoaded()
{
#if defined (__linux__)
    for (const char* name : { "libX11.so.6", "libXext.so.6", "libXcursor.so.1", "libXinerama.so.1",
                              "libXrender.so.1", "libXrandr.so.2" })
        dlopen (name, RTLD_NOW | RTLD_NODELETE);
#endif
}
} // namespace

// The test program's main thread is JUCE's message thread, so asynchronous
// updates can be delivered with MessagePump::run.
int main (int argc, char** argv)
{
    AssertionLogger::install (failOnAssertion);
    keepXLibrariesLoaded();
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    ::testing::InitGoogleMock (&argc, argv);
    return RUN_ALL_TESTS();
}
