#include <gmock/gmock.h>

#include "support/MessagePump.h"
#include "support/SkinTestSupport.h"

#include <optional>
#include <thread>

namespace
{
// The smallest control: remembers the values its parameter reported.
struct ProbeControl : GUIController, juce::Component
{
    juce::Component& getComponent() override { return *this; }
    void parameterValueChanged (Parameter* p) override
    {
        shown.push_back (p->getName());
        onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
    }
    void addAction (const juce::String& type, int id, const juce::String& name) override
    {
        actions.push_back (type + " " + juce::String (id) + " " + name);
    }

    using GUIController::beginUserGesture;
    using GUIController::endUserGesture;
    using GUIController::setValueFromUser;

    std::vector<juce::String> shown, actions;
    bool onMessageThread = false;
};

struct GUIControllerTest : ::testing::Test
{
    void load (const char* text) { control.loadFromXml (*xml (text), world.parameters, world.events, nullptr); }

    SkinWorld world;
    ProbeControl control;
};

using Strings = std::vector<juce::String>;
} // namespace

TEST_F (GUIControllerTest, OnlyTheLastConnectedToLinkOfTheFirstLinksBinds)
{
    load (R"(<Knob>
        <LINKS>
          <Link as="connectedTo" param="Feedback"/>
          <link as="ConnectedTo" param="FX"/>
          <link as="connectedTo" param="No Such Parameter"/>
          <link as="connectedTo" param="Stereo Phase"/>
          <link as="other" param="LFO 1 Rate"/>
        </LINKS>
        <links><link as="connectedTo" param="Output Volume"/></links>
      </Knob>)");

    EXPECT_EQ (control.getLinkedParameter(), &world.parameter ("Stereo Phase"));

    for (auto name : { "Feedback", "FX", "Output Volume", "LFO 1 Rate", "Stereo Phase" })
        world.parameter (name).setNormalizedValue (0.9f, true);

    MessagePump::run();
    EXPECT_EQ (control.shown, Strings { "Stereo Phase" });
}

TEST_F (GUIControllerTest, ActionsOfTheFirstActionsWithKnownEventAndTypeReachTheKind)
{
    load (R"(<Button>
        <Actions>
          <action type="onClickWithCtrl" event="About"/>
          <action type="onClick" event="Toggle Midi Learn"/>
          <action type="" event="Options"/>
          <action type="onClick" event="No such event"/>
          <action type="onClick" event="about"/>
        </Actions>
        <actions><action type="onClick" event="Options"/></actions>
      </Button>)");

    EXPECT_EQ (control.actions, (Strings { "onClickWithCtrl 1001 About", "onClick 1010 Toggle midi learn" }));
}

TEST_F (GUIControllerTest, AChangeFromAnotherThreadIsShownLaterOnTheMessageThreadWithoutEcho)
{
    load (R"(<Knob><links><link as="connectedTo" param="Feedback"/></links></Knob>)");
    ControlLog log;
    control.addListener (&log);

    std::thread automation ([this] { world.parameter ("Feedback").setNormalizedValue (0.25f, true); });
    automation.join();

    EXPECT_TRUE (control.shown.empty());
    ASSERT_TRUE (MessagePump::runUntil ([this] { return ! control.shown.empty(); }));
    MessagePump::run();
    EXPECT_EQ (control.shown, Strings { "Feedback" });
    EXPECT_TRUE (control.onMessageThread);
    EXPECT_TRUE (log.calls.empty());
}

TEST_F (GUIControllerTest, AUserChangeGoesToTheParameterInsideOneGestureThenToEachListenerOnce)
{
    struct GestureLog : Parameter::Listener
    {
        void parameterChanged (Parameter* p) override { calls.push_back ("set " + juce::String (p->getNormalizedValue())); }
        void parameterGestureBegan (Parameter*) override { calls.push_back ("began"); }
        void parameterGestureEnded (Parameter*) override { calls.push_back ("ended"); }
        Strings calls;
    } host;

    load (R"(<Knob><links><link as="connectedTo" param="Feedback"/></links></Knob>)");
    world.parameter ("Feedback").addListener (&host);
    ControlLog first;
    control.addListener (&first);
    control.addListener (&first);

    control.beginUserGesture();
    control.setValueFromUser (0.25f);
    control.setValueFromUser (0.75f);
    control.endUserGesture();

    EXPECT_EQ (host.calls, (Strings { "began", "set 0.25", "set 0.75", "ended" }));
    EXPECT_EQ (first.calls, (Strings { "drag started", "value changed", "value changed", "drag ended" }));

    ProbeControl unlinked;
    ControlLog quiet;
    unlinked.addListener (&quiet);
    unlinked.beginUserGesture();
    unlinked.setValueFromUser (0.5f);
    unlinked.endUserGesture();
    EXPECT_TRUE (quiet.calls.empty());
}

TEST_F (GUIControllerTest, ADestroyedControlIsNoLongerCalled)
{
    // Destroyed with a notification pending; an unlinked control then takes
    // its place in memory, where a call still addressed to it would land.
    // The fixture's control, linked too, shows when the notification ran.
    const char* const linkedToFx = R"(<Knob><links><link as="connectedTo" param="FX"/></links></Knob>)";
    load (linkedToFx);
    std::optional<ProbeControl> place;
    place.emplace().loadFromXml (*xml (linkedToFx), world.parameters, world.events, nullptr);

    world.parameter ("FX").setNormalizedValue (0.1f, true);
    place.reset();
    place.emplace();

    ASSERT_TRUE (MessagePump::runUntil ([this] { return ! control.shown.empty(); }));
    EXPECT_TRUE (place->shown.empty()) << "the destroyed control was called";
}
