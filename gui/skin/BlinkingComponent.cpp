#include "gui/skin/BlinkingComponent.h"

BlinkingComponent::BlinkingComponent() = default;

BlinkingComponent::~BlinkingComponent()
{
    timer.stopTimer();
}

void BlinkingComponent::startBlinking()
{
    timer.startTimer (blinkPeriodMs);
}

void BlinkingComponent::stopBlinking()
{
    timer.stopTimer();

    if (blinkOff)
        flipPhase();
}

bool BlinkingComponent::isBlinking() const
{
    return timer.isTimerRunning();
}

void BlinkingComponent::flipPhase()
{
    blinkOff = ! blinkOff;
    blinkPhaseChanged();
}
