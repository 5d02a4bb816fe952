#include <gmock/gmock.h>

#include "framework/FloatParameter.h"
#include "framework/StringParameter.h"
#include "support/MessagePump.h"

#include <future>
#include <thread>

namespace
{
// Records which listeners were called, in order, and on which thread.
struct Log
{
    std::vector<juce::String> calls;
};

struct NamedListener : Parameter::Listener
{
    NamedListener (Log& l, juce::String n) : log (l), name (std::move (n)) {}

    void parameterChanged (Parameter* p) override
    {
        log.calls.push_back (name);
        lastValue = p->getValue();
        onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();

        if (onChange)
            onChange (p);
    }

    void parameterGestureBegan (Parameter*) override { log.calls.push_back (name + " began"); }
    void parameterGestureEnded (Parameter*) override { log.calls.push_back (name + " ended"); }

    Log& log;
    juce::String name;
    float lastValue = -1.0f;
    bool onMessageThread = false;
    std::function<void (Parameter*)> onChange;
};

using Calls = std::vector<juce::String>;
} // namespace

TEST (ParameterNotification, SynchronousListenersRunLastAddedFirstOnce)
{
    Log log;
    NamedListener a (log, "a"), b (log, "b"), c (log, "c");
    FloatParameter p (0, "p", 0.0f, 1.0f, 0.0f);
    p.addListener (&a);
    p.addListener (&b);
    p.addListener (&c);
    p.addListener (&a);

    p.setNormalizedValue (0.5f, true);
    p.beginChangeGesture();
    p.endChangeGesture();

    EXPECT_EQ (log.calls, (Calls { "c", "b", "a", "c began", "b began", "a began", "c ended", "b ended", "a ended" }));
}

TEST (ParameterNotification, EqualValuesAndNotifyFalseTellNobody)
{
    Log log;
    NamedListener sync (log, "sync"), async (log, "async");
    FloatParameter p (0, "p", 0.0f, 1.0f, 1.0f);
    p.addListener (&sync);
    p.addAsyncListener (&async);

    p.setValue (5.0f, true);           // clamps to the current 1
    p.setText ("1.0", true);
    p.setNormalizedValue (0.25f, false);
    MessagePump::run();

    EXPECT_TRUE (log.calls.empty());
    EXPECT_EQ (p.getValue(), 0.25f);
}

TEST (ParameterNotification, ListenersMayRemoveThemselvesOrOthersDuringTheWalk)
{
    Log log;
    NamedListener a (log, "a"), b (log, "b"), c (log, "c");
    FloatParameter p (0, "p", 0.0f, 1.0f, 0.0f);
    p.addListener (&a);
    p.addListener (&b);
    p.addListener (&c);
    b.onChange = [&] (Parameter* param) { param->removeListener (&b); };
    c.onChange = [&] (Parameter* param) { param->removeListener (&c); param->removeListener (&a); };

    p.setNormalizedValue (0.5f, true);
    EXPECT_EQ (log.calls, (Calls { "c", "b" }));

    log.calls.clear();
    p.addListener (&a);
    p.addListener (&c);
    c.onChange = [&] (Parameter* param) { param->removeListener (&c); };
    p.setNormalizedValue (0.75f, true);
    EXPECT_EQ (log.calls, (Calls { "c", "a" }));
}

TEST (ParameterNotification, AsynchronousListenersGetOneCoalescedCallOnTheMessageThread)
{
    Log log;
    NamedListener sync (log, "sync"), first (log, "first"), second (log, "second");
    FloatParameter p (0, "p", 0.0f, 1.0f, 0.0f);
    p.addListener (&sync);
    p.addAsyncListener (&first);
    p.addAsyncListener (&second);

    std::thread setter ([&] {
        for (float x : { 0.1f, 0.2f, 0.3f })
            p.setNormalizedValue (x, true);
    });
    setter.join();

    EXPECT_EQ (log.calls, (Calls { "sync", "sync", "sync" }));
    EXPECT_FALSE (sync.onMessageThread);

    ASSERT_TRUE (MessagePump::runUntil ([&] { return log.calls.size() >= 5; }));
    MessagePump::run();
    EXPECT_EQ (log.calls, (Calls { "sync", "sync", "sync", "second", "first" }));
    EXPECT_TRUE (first.onMessageThread);
    EXPECT_FLOAT_EQ (first.lastValue, 0.3f);
}

TEST (ParameterNotification, NotifyListenersAnnouncesTheCurrentValue)
{
    Log log;
    NamedListener sync (log, "sync"), async (log, "async");
    FloatParameter p (0, "p", 0.0f, 1.0f, 0.5f);
    p.addListener (&sync);
    p.addAsyncListener (&async);

    p.notifyListeners();
    MessagePump::run();

    EXPECT_EQ (log.calls, (Calls { "sync", "async" }));
    EXPECT_EQ (async.lastValue, 0.5f);
}

TEST (ParameterNotification, DestroyingAParameterDropsItsPendingNotification)
{
    Log log;
    NamedListener async (log, "async");
    auto p = std::make_unique<FloatParameter> (0, "p", 0.0f, 1.0f, 0.0f);
    p->addAsyncListener (&async);
    p->setNormalizedValue (1.0f, true);
    p.reset();
    MessagePump::run();

    EXPECT_TRUE (log.calls.empty());
}

// Listeners may take locks that another thread holds while it sets the same
// text (the effect lock, at a silent preset change), so they run with the
// text's lock released: another thread can read it meanwhile.
TEST (ParameterNotification, StringListenersSeeTheNewTextAndLeaveTheLockFree)
{
    Log log;
    NamedListener sync (log, "sync");
    StringParameter p (0, "s", "old");
    juce::String seen, seenElsewhere;
    std::future<void> reader;
    sync.onChange = [&] (Parameter* changed)
    {
        seen = changed->getText();
        reader = std::async (std::launch::async, [&] { seenElsewhere = p.getText(); });
        // Only a deadlock takes this long.
        EXPECT_EQ (reader.wait_for (std::chrono::seconds (60)), std::future_status::ready);
    };
    p.addListener (&sync);

    p.setText ("new", true);
    p.setText ("new", true);

    EXPECT_EQ (seen, "new");
    EXPECT_EQ (seenElsewhere, "new");
    EXPECT_EQ (log.calls.size(), 1u);
}
