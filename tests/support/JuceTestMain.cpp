#include <gmock/gmock.h>
#include <juce_events/juce_events.h>

// The test program's main thread is JUCE's message thread, so asynchronous
// updates can be delivered with MessagePump::run.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    ::testing::InitGoogleMock (&argc, argv);
    return RUN_ALL_TESTS();
}
