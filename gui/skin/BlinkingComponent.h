#pragma once

#include <juce_events/juce_events.h>

// Lets a control blink: while blinking, a 150 ms timer flips the phase and
// calls blinkPhaseChanged, and the control shows its rest look (frame 0, or
// no text) in the off phase. Controls start and stay in the on phase until
// someone starts blinking.
class BlinkingComponent
{
public:
    static constexpr int blinkPeriodMs = 150;

    BlinkingComponent();
    virtual ~BlinkingComponent();

    void startBlinking();
    // Stops the timer and returns to the on phase.
    void stopBlinking();
    bool isBlinking() const;
    bool isInBlinkOffPhase() const noexcept { return blinkOff; }

protected:
    // Called after every change of the phase.
    virtual void blinkPhaseChanged() {}

private:
    struct BlinkTimer : juce::Timer
    {
        explicit BlinkTimer (BlinkingComponent& o) : owner (o) {}
        void timerCallback() override { owner.flipPhase(); }
        BlinkingComponent& owner;
    };

    void flipPhase();

    bool blinkOff = false;
    BlinkTimer timer { *this };

    JUCE_DECLARE_NON_COPYABLE (BlinkingComponent)
};
