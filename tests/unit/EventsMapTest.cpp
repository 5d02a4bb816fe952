#include <gmock/gmock.h>

#include "framework/EventsMap.h"

TEST (EventsMap, KnowsTheBuiltInEventsByNameAndId)
{
    EventsMap events;
    events.addBuiltInEvents();

    EXPECT_EQ (events.findEventId ("Options"), 1000);
    EXPECT_EQ (events.findEventId ("Store current preset"), 1009);
    EXPECT_EQ (events.getEventName (1004), "Browse presets");
    EXPECT_EQ (events.getEventDisplayName (1010), "Toggle midi learn");
    EXPECT_EQ (events.getEventDisplayName (1006), "Save preset as");
    EXPECT_EQ (events.findEventId ("options"), -1);
    EXPECT_EQ (events.getEventName (999), "");
    EXPECT_FALSE (events.addEvent (1000, "Other"));
    EXPECT_FALSE (events.addEvent (2000, "About"));
}

TEST (EventsMap, ADescriptionLoadedFirstWinsOverBuiltInIdsAndNames)
{
    EventsMap events;
    auto xml = juce::parseXML (R"(<eventsmap>
        <EVENT NAME="Options" UID="5"/>
        <event name="Custom" uid="1001"/>
        <event name="Options" uid="6"/>
        <other name="Skipped" uid="7"/>
    </eventsmap>)");
    events.loadFromXml (*xml);
    events.addBuiltInEvents();

    EXPECT_EQ (events.findEventId ("Options"), 5);
    EXPECT_EQ (events.getEventName (1000), "");
    EXPECT_EQ (events.getEventName (1001), "Custom");
    EXPECT_EQ (events.findEventId ("About"), -1);
    EXPECT_EQ (events.getEventName (6), "");
    EXPECT_EQ (events.findEventId ("Skipped"), -1);
    EXPECT_EQ (events.findEventId ("Toggle Midi Learn"), 1010);

    events.loadFromXml (juce::XmlElement ("Other"));
    EXPECT_EQ (events.getNumEvents(), 0);
}
