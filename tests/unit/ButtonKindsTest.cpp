#include <gmock/gmock.h>

#include "gui/controls/GFXMultiStateButton.h"
#include "gui/controls/GFXRocker.h"
#include "gui/controls/GFXToggleButton.h"
#include "support/MessagePump.h"
#include "support/SkinTestSupport.h"

namespace
{
using Strings = std::vector<juce::String>;

template <typename Kind>
void load (Kind& control, SkinWorld& world, const char* text)
{
    control.loadFromXml (*xml (text), world.parameters, world.events, nullptr);
    control.setVisible (true);
}

void click (juce::Component& c, juce::Point<float> at, juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
{
    mouseDown (c, at, mods);
    mouseUp (c, at, mods);
}
} // namespace

TEST (GFXToggleButton, AClickSetsTheBooleanParameterAndThe3DStripShowsOnAndPressedOn)
{
    SkinWorld world;
    auto& sync = world.parameter ("LFO 1 Sync");
    GFXToggleButton toggle ("Sync");
    toggle.setImage (numberedStrip (20, 20, 4), 99);
    load (toggle, world, R"(<ToggleButton style="3D"><links><link as="connectedTo" param="LFO 1 Sync"/></links>
                              </ToggleButton>)");
    EXPECT_EQ (toggle.getBounds(), juce::Rectangle<int> (0, 0, 20, 20));
    ControlLog log;
    static_cast<GUIController&> (toggle).addListener (&log);

    EXPECT_EQ (shownStripFrame (toggle), 0);
    click (toggle, { 5.0f, 5.0f });
    EXPECT_TRUE (sync.getBoolValue());
    EXPECT_EQ (log.calls, Strings { "value changed" });
    EXPECT_EQ (shownStripFrame (toggle), 2);
    mouseDown (toggle, { 5.0f, 5.0f });
    EXPECT_EQ (shownStripFrame (toggle), 3);
    mouseDrag (toggle, { 50.0f, 50.0f }, { 5.0f, 5.0f });
    mouseUp (toggle, { 50.0f, 50.0f });

    sync.setBoolValue (false, true);
    MessagePump::run();
    EXPECT_EQ (shownStripFrame (toggle), 0);
    EXPECT_EQ (log.calls.size(), 1u);
}

TEST (GFXToggleButton, DraggingFromOneMemberOfAGroupGivesItsNewStateToTheMembersPassedOver)
{
    SkinWorld world;
    juce::Component parent;
    parent.setBounds (0, 0, 200, 50);
    GFXToggleButton a ("a"), b ("b"), c ("c"), other ("other");
    int left = 0;

    for (auto* t : { &a, &b, &c, &other })
    {
        load (*t, world, t == &other ? R"(<ToggleButton dragGroup="others"/>)" : R"(<ToggleButton dragGroup="steps"/>)");
        t->setBounds (left, 0, 20, 20);
        parent.addAndMakeVisible (*t);
        left += 30;
    }

    c.setToggleState (true, juce::dontSendNotification);
    mouseDown (a, { 5.0f, 5.0f });
    mouseDrag (a, { 65.0f, 5.0f }, { 5.0f, 5.0f });
    mouseDrag (a, { 95.0f, 5.0f }, { 5.0f, 5.0f });
    mouseUp (a, { 95.0f, 5.0f });
    EXPECT_EQ (std::vector<bool> ({ a.getToggleState(), b.getToggleState(), c.getToggleState(), other.getToggleState() }),
               std::vector<bool> ({ true, false, true, false }));

    mouseDown (c, { 5.0f, 5.0f });
    mouseDrag (c, { -25.0f, 5.0f }, { 5.0f, 5.0f });
    mouseDrag (c, { -55.0f, 5.0f }, { 5.0f, 5.0f });
    mouseUp (c, { -55.0f, 5.0f });
    EXPECT_EQ (std::vector<bool> ({ a.getToggleState(), b.getToggleState(), c.getToggleState() }),
               std::vector<bool> ({ false, false, false }));
}

TEST (GFXMultiStateButton, TheParameterPicksTheStateAndTheStyleTheFrame)
{
    SkinWorld world;
    GFXMultiStateButton button ("MidiLearnButton");
    load (button, world, R"(<MultiStateButton style="3D" states="3">
        <links><link as="connectedTo" param="Stages Number"/></links>
        <actions><action type="onClick" event="Toggle Midi Learn"/></actions>
        <size width="20" height="20"/></MultiStateButton>)");
    button.setImage (numberedStrip (20, 20, 6), 6);
    ControlLog log;
    static_cast<GUIController&> (button).addListener (&log);

    world.parameter ("Stages Number").setNormalizedValue (0.6f, true);
    MessagePump::run();
    EXPECT_EQ (button.getCurrentState(), 1);
    EXPECT_EQ (shownStripFrame (button), 2);

    mouseDown (button, { 5.0f, 5.0f });
    EXPECT_EQ (shownStripFrame (button), 3);
    mouseUp (button, { 5.0f, 5.0f });
    EXPECT_EQ (log.calls, Strings { "action 1010" });

    button.setCurrentState (7);
    EXPECT_EQ (button.getCurrentState(), 2);
}

TEST (GFXRocker, EachHalfFiresItsEventAndShowsItsFrameUntilRelease)
{
    SkinWorld world;
    GFXRocker rocker ("Rocker");
    load (rocker, world, R"(<Rocker><actions>
        <action type="onMoreClick" event="Select next preset"/>
        <action type="onLessClick" event="Select previous preset"/>
        <action type="onLessClickWithCtrl" event="Copy current preset"/>
      </actions><size width="20" height="40"/></Rocker>)");
    rocker.setImage (numberedStrip (20, 40, 3), 3);
    ControlLog log;
    rocker.addListener (&log);
    const auto ctrl = juce::ModifierKeys (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::leftButtonModifier);

    EXPECT_EQ (shownStripFrame (rocker), 1);
    mouseDown (rocker, { 5.0f, 5.0f });
    EXPECT_EQ (shownStripFrame (rocker), 2);
    mouseUp (rocker, { 5.0f, 5.0f });
    EXPECT_EQ (shownStripFrame (rocker), 1);
    mouseDown (rocker, { 5.0f, 30.0f });
    EXPECT_EQ (shownStripFrame (rocker), 0);
    click (rocker, { 5.0f, 30.0f }, ctrl);
    click (rocker, { 5.0f, 5.0f }, ctrl);

    EXPECT_EQ (log.calls, (Strings { "action 1002", "action 1003", "action 1007" }));
}
