#include "gui/controls/ButtonRepeat.h"

#include <cmath>

ButtonRepeat::ButtonRepeat (std::function<void()> callback)
    : onRepeat (std::move (callback)),
      clock ([] { return juce::Time::getMillisecondCounterHiRes(); })
{
}

ButtonRepeat::~ButtonRepeat()
{
    stopTimer();
}

void ButtonRepeat::setTimes (int initialDelayMs, int intervalMs)
{
    initialDelay = initialDelayMs;
    interval = intervalMs;

    if (! isOn())
        stop();
}

void ButtonRepeat::start()
{
    if (! isOn())
        return;

    running = true;
    nextDue = clock() + initialDelay;
    scheduleNext();
}

void ButtonRepeat::stop()
{
    running = false;
    stopTimer();
}

void ButtonRepeat::poll()
{
    if (! running)
        return;

    const double now = clock();

    if (now >= nextDue)
    {
        nextDue += interval;

        if (nextDue <= now)
            nextDue = now + interval;

        onRepeat();
    }

    if (running)
        scheduleNext();
}

void ButtonRepeat::setClock (Clock newClock)
{
    clock = std::move (newClock);
}

void ButtonRepeat::timerCallback()
{
    poll();
}

void ButtonRepeat::scheduleNext()
{
    startTimer (juce::jmax (1, (int) std::ceil (nextDue - clock())));
}
