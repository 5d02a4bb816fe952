#include <gmock/gmock.h>
#include <juce_events/juce_events.h>

#include "support/AssertionLogger.h"

#include <cstdlib>

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
} // namespace

// The test program's main thread is JUCE's message thread, so asynchronous
// updates can be delivered with MessagePump::run.
int main (int argc, char** argv)
{
    AssertionLogger::install (failOnAssertion);
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    ::testing::InitGoogleMock (&argc, argv);
    return RUN_ALL_TESTS();
}
