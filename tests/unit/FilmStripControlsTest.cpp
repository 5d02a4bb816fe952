#include <gmock/gmock.h>

#include "gui/controls/GFXAnimation.h"
#include "gui/controls/GFXKnob.h"
#include "gui/controls/GFXSwitch.h"
#include "gui/skin/FilmStrip.h"
#include "support/MessagePump.h"
#include "support/SkinTestSupport.h"

#include <limits>

namespace
{
template <typename Control>
std::unique_ptr<Control> withStrip (int frames, int width = 35, int frameHeight = 35)
{
    auto control = std::make_unique<Control> ("control");
    control->setImage (numberedStrip (width, frameHeight, frames), frames);
    control->setBounds (0, 0, width, frameHeight);
    control->setVisible (true);
    return control;
}

struct FrameCase
{
    double value;
    int frames, frame;
};
} // namespace

TEST (FilmStripControls, AValuePicksTheNearestFrameAndTheRenderingShowsIt)
{
    const FrameCase cases[] = { { 0.5, 61, 30 }, { 0.49, 61, 29 }, { 1.0, 61, 60 }, { 0.0, 61, 0 },
                                { 1.0 / 3.0, 4, 1 }, { 0.7, 11, 7 }, { 0.7f, 11, 7 }, { 0.5, 1, 0 },
                                // a host's floats for the wave table's boundaries
                                { 0.7f, 6, 4 }, { 0.9f, 6, 5 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.value) + " of " + juce::String (c.frames));
        EXPECT_EQ (FilmStrip::frameForValue (c.value, c.frames), c.frame);

        auto knob = withStrip<GFXKnob> (c.frames);
        knob->setValue (c.value, juce::dontSendNotification);
        EXPECT_EQ (shownStripFrame (*knob), c.frame);
    }

    EXPECT_EQ (FilmStrip::frameForValue (std::numeric_limits<double>::quiet_NaN(), 12), 0);
    EXPECT_EQ (FilmStrip::frameForValue (2.0, 12), 11);
}

TEST (FilmStripControls, DisabledControlsShowFrameZero)
{
    juce::Component parent;
    auto knob = withStrip<GFXKnob> (61);
    auto animation = withStrip<GFXAnimation> (12);
    parent.addAndMakeVisible (*knob);
    parent.addAndMakeVisible (*animation);
    knob->setValue (0.8, juce::dontSendNotification);
    animation->setFrameFromValue (0.8f);

    parent.setEnabled (false);

    EXPECT_EQ (shownStripFrame (*knob), 0);
    EXPECT_EQ (shownStripFrame (*animation), 0);
    EXPECT_EQ (animation->getFrame(), 9);
}

TEST (FilmStripControls, AnAnimationKeepsItsValueWithinTheStripAndFlashesBackToFrameZero)
{
    auto animation = withStrip<GFXAnimation> (12, 26, 89);

    animation->setFrameFromValue (1.5f);
    EXPECT_EQ (shownStripFrame (*animation), 11);
    animation->setFrameFromValue (-0.2f);
    EXPECT_EQ (shownStripFrame (*animation), 0);

    animation->flash (5, 10);
    EXPECT_EQ (animation->getFrame(), 5);
    EXPECT_TRUE (MessagePump::runUntil ([&] { return animation->getFrame() == 0; })) << animation->getFrame();
}

TEST (FilmStripControls, AKnobDraggedUpReachesHalfAfter125PixelsAndStopsAtTheTop)
{
    SkinWorld world;
    auto& feedback = world.parameter ("Feedback");
    feedback.setNormalizedValue (0.0f, false);
    auto knob = withStrip<GFXKnob> (61);
    knob->linkToParameter (&feedback);
    ControlLog log;
    static_cast<GUIController&> (*knob).addListener (&log);

    const juce::Point<float> start (10.0f, 300.0f);
    mouseDown (*knob, start);
    mouseDrag (*knob, start.translated (0.0f, -125.0f), start);
    EXPECT_DOUBLE_EQ (knob->getValue(), 0.5);
    EXPECT_FLOAT_EQ (feedback.getNormalizedValue(), 0.5f);

    mouseDrag (*knob, start.translated (0.0f, -400.0f), start);
    mouseUp (*knob, start.translated (0.0f, -400.0f));
    EXPECT_DOUBLE_EQ (knob->getValue(), 1.0);

    juce::MouseWheelDetails wheel { 0.0f, -1.0f, false, false, false };
    static_cast<juce::Component&> (*knob).mouseWheelMove (mouseEvent (*knob, start, {}), wheel);
    EXPECT_NEAR (knob->getValue(), 0.85, 1e-9);
    EXPECT_EQ (log.calls, (std::vector<juce::String> { "drag started", "value changed", "value changed", "drag ended",
                                                       "drag started", "value changed", "drag ended" }));
}

TEST (FilmStripControls, AHorizontalSwitchKeepsTheThumbRadiusFreeAtBothEnds)
{
    // 75 pixels wide: a radius of 9 leaves 57 pixels for the range.
    const std::pair<float, double> clicks[] = { { 0.0f, 0.0 }, { 9.0f, 0.0 }, { 10.0f, 0.02 }, { 50.0f, 0.72 },
                                                { 66.0f, 1.0 }, { 75.0f, 1.0 } };
    auto control = withStrip<GFXSwitch> (4, 75, 42);
    control->setStyleName ("HORIZONTAL");

    for (const auto& [x, value] : clicks)
    {
        SCOPED_TRACE (x);
        mouseDown (*control, { x, 20.0f });
        mouseUp (*control, { x, 20.0f });
        EXPECT_NEAR (control->getValue(), value, 1e-9);
    }

    mouseDown (*control, { 50.0f, 20.0f });
    EXPECT_EQ (shownStripFrame (*control), 2);

    control->setStyleName ("Vertical");
    control->setStyleName ("sideways");
    control->setSize (42, 75);
    mouseDown (*control, { 20.0f, 9.0f });
    EXPECT_NEAR (control->getValue(), 1.0, 1e-9);
}

TEST (FilmStripControls, AKnobRepaintsOnlyWhenItsFrameChanges)
{
    SkinWorld world;
    juce::Component parent;
    parent.setBounds (0, 0, 100, 100);
    parent.setVisible (true);
    auto* counter = new RepaintCounter (parent);
    parent.setCachedComponentImage (counter);
    auto knob = withStrip<GFXKnob> (61);
    parent.addAndMakeVisible (*knob);
    auto& fx = world.parameter ("FX");
    knob->linkToParameter (&fx);

    const auto repaintsFor = [&] (std::function<void()> change) {
        counter->count = 0;
        change();
        MessagePump::deliverPosted();
        return counter->count;
    };

    EXPECT_EQ (repaintsFor ([&] { knob->setValue (0.5, juce::dontSendNotification); }), 1);
    EXPECT_EQ (repaintsFor ([&] { knob->setValue (0.505, juce::dontSendNotification); }), 0);
    EXPECT_EQ (repaintsFor ([&] { fx.setNormalizedValue (0.495f, true); }), 0);
    EXPECT_EQ (repaintsFor ([&] { fx.setNormalizedValue (0.51f, true); }), 1);
    EXPECT_EQ (repaintsFor ([&] { knob->setEnabled (false); }), 1);

    knob->setVisible (false);
    EXPECT_GT (repaintsFor ([&] { knob->setVisible (true); }), 0);

    // A control with a strip that holds others (a panel) lets their repaints through.
    auto panel = withStrip<GFXAnimation> (1, 100, 100);
    parent.addAndMakeVisible (*panel);
    knob->setEnabled (true);
    panel->addAndMakeVisible (*knob);
    EXPECT_EQ (repaintsFor ([&] { knob->setValue (0.9, juce::dontSendNotification); }), 1);
}

TEST (FilmStripControls, ABlinkingAnimationShowsFrameZeroInItsOffPhase)
{
    auto animation = withStrip<GFXAnimation> (12);
    animation->setFrame (5);
    animation->startBlinking();

    ASSERT_TRUE (MessagePump::runUntil ([&] { return animation->isInBlinkOffPhase(); }));
    EXPECT_EQ (shownStripFrame (*animation), 0);
    animation->stopBlinking();
    EXPECT_FALSE (animation->isInBlinkOffPhase());
    EXPECT_EQ (shownStripFrame (*animation), 5);
}
