#include <gmock/gmock.h>

#include "gui/controls/GFXButton.h"
#include "support/SkinTestSupport.h"

namespace
{
const char* optionsButton = R"(<Button name="OptionsButton" autorepeat="yes">
    <actions>
      <action type="onClick" event="Options"/>
      <action type="onClickWithCtrl" event="About"/>
    </actions>
    <gfx resource="OptionsButton.png" framesNum="2"/>
    <pos left="78" top="14"/>
    <size width="38" height="43"/>
  </Button>)";

struct GFXButtonTest : ::testing::Test
{
    GFXButtonTest()
    {
        button.setVisible (true);
        static_cast<GUIController&> (button).addListener (&log);
        button.getAutoRepeat().setClock ([this] { return now; });
    }

    void load (const char* text) { button.loadFromXml (*xml (text), world.parameters, world.events, nullptr); }

    void press (juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
    {
        mouseDown (button, { 5.0f, 5.0f }, mods);
    }

    void release (juce::ModifierKeys mods = {})
    {
        mouseUp (button, { 5.0f, 5.0f }, mods);
    }

    // Lets the repeat timer look at the clock at each of the times.
    void holdUntil (std::initializer_list<double> times)
    {
        for (double t : times)
        {
            now = t;
            button.getAutoRepeat().poll();
        }
    }

    SkinWorld world;
    GFXButton button { "OptionsButton" };
    ControlLog log;
    double now = 0.0;
};

using Strings = std::vector<juce::String>;
const auto ctrl = juce::ModifierKeys (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::leftButtonModifier);
} // namespace

TEST_F (GFXButtonTest, ClicksFireThePlainOrTheCtrlEventAndCtrlNeverFallsBack)
{
    load (optionsButton);
    press();
    release();
    press (ctrl);
    release (ctrl);
    EXPECT_EQ (log.calls, (Strings { "action 1000", "action 1001" }));

    GFXButton plain ("Plain");
    plain.setVisible (true);
    plain.loadFromXml (*xml (R"(<Button><actions><action type="onClick" event="Options"/></actions>
                                  <size width="20" height="20"/></Button>)"),
                       world.parameters, world.events, nullptr);
    ControlLog plainLog;
    static_cast<GUIController&> (plain).addListener (&plainLog);
    mouseDown (plain, { 5.0f, 5.0f }, ctrl);
    mouseUp (plain, { 5.0f, 5.0f }, ctrl);
    EXPECT_TRUE (plainLog.calls.empty());
}

TEST_F (GFXButtonTest, HoldingForOneAndAQuarterSecondsRepeatsAtOneSecondAndEveryTenthAfter)
{
    load (optionsButton);
    now = 0.0;
    press();
    holdUntil ({ 500.0, 999.0 });
    EXPECT_TRUE (log.calls.empty());

    holdUntil ({ 1000.0, 1050.0, 1099.0 });
    EXPECT_EQ (log.calls.size(), 1u);

    holdUntil ({ 1100.0, 1200.0, 1250.0 });
    release();
    EXPECT_EQ (log.calls, (Strings (4, "action 1000")));

    holdUntil ({ 1300.0, 5000.0 });
    EXPECT_EQ (log.calls.size(), 4u);
}

TEST_F (GFXButtonTest, ClickOnPressFiresAtOnceAndARepeatLateByManyIntervalsFiresOnce)
{
    load (R"(<Button autorepeat="yes" clickEvent="onPress">
        <actions><action type="onClick" event="Select next preset"/></actions></Button>)");
    now = 0.0;
    press();
    EXPECT_EQ (log.calls.size(), 1u);

    holdUntil ({ 1000.0, 1650.0, 1700.0, 1749.0, 1750.0 });
    release();
    EXPECT_EQ (log.calls, (Strings (4, "action 1002")));
}

TEST_F (GFXButtonTest, WithoutAutorepeatHoldingClicksOnce)
{
    load (R"(<Button autorepeat="YES"><actions><action type="onClick" event="Options"/></actions></Button>)");
    press();
    holdUntil ({ 1000.0, 1100.0, 3000.0 });
    release();
    EXPECT_EQ (log.calls, (Strings { "action 1000" }));
}

TEST_F (GFXButtonTest, TheStripIsOneFrameInSizeAndShowsFrameOneOnlyWhilePressedAndEnabled)
{
    load (optionsButton);
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (78, 14, 38, 43));
    EXPECT_EQ (button.getShownFrame(), 0);

    press();
    EXPECT_EQ (button.getShownFrame(), 1);
    button.setEnabled (false);
    EXPECT_EQ (button.getShownFrame(), 0);
}

TEST_F (GFXButtonTest, TheTooltipNamesTheEventACtrlClickOrAPlainClickWouldFire)
{
    load (optionsButton);
    static_cast<juce::Component&> (button).mouseEnter (mouseEvent (button, { 1.0f, 1.0f }, {}));
    EXPECT_EQ (button.getTooltip(), "Options");
    button.modifierKeysChanged (juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (button.getTooltip(), "About");

    GFXButton plain ("Plain");
    plain.loadFromXml (*xml (R"(<Button><actions><action type="onClick" event="Options"/></actions></Button>)"),
                       world.parameters, world.events, nullptr);
    plain.modifierKeysChanged (juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (plain.getTooltip(), "Options");
}
