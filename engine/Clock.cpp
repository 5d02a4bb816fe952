#include "engine/Clock.h"

#include <cmath>

namespace
{
template <typename Value>
void setMarkingDirty (Value& field, Value newValue, bool& dirty)
{
    if (field != newValue)
    {
        field = newValue;
        dirty = true;
    }
}

int samplesUntil (double beats, double samplesPerBeat)
{
    // Very slow tempos could schedule beyond the range of the countdown.
    const double samples = std::ceil (beats * samplesPerBeat);
    return samples < 2147483647.0 ? (int) samples : 2147483647;
}
} // namespace

void Clock::setSampleRate (double newSampleRate) { setMarkingDirty (sampleRate, newSampleRate, dirty); }
void Clock::setTempo (double beatsPerMinute) { setMarkingDirty (tempo, beatsPerMinute, dirty); }
void Clock::setCyclesPerBeat (double cycles) noexcept { requestedCyclesPerBeat.store (cycles, std::memory_order_relaxed); }
void Clock::setPosition (double beats) { setMarkingDirty (position, beats, dirty); }

void Clock::start (double hostPosition)
{
    if (running)
        return;
    dirty = true;
    position = 0.0;
    state = -1;
    running = true;
    setPosition (hostPosition);
}

void Clock::stop()
{
    if (! running)
        return;
    dirty = true;
    position = 0.0;
    state = -1;
    running = false;
}

void Clock::takeCyclesPerBeat() noexcept
{
    setMarkingDirty (cyclesPerBeat, requestedCyclesPerBeat.load (std::memory_order_relaxed), dirty);
}

bool Clock::tick()
{
    if (! running)
        return false;

    takeCyclesPerBeat();

    if (dirty)
        recalculate();

    bool edge = false;
    if (countdown == 0 && (state == -1 || state != nextState))
    {
        state = nextState;
        edge = true;
    }

    --countdown;
    position += beatsPerSample;
    if (countdown < 0)
        dirty = true;
    return edge;
}

bool Clock::hasUsableTempo() const noexcept
{
    // Without a usable tempo, rate or period there is no schedule: the clock
    // stands still and produces no edges until one arrives.
    const double samplesPerBeat = sampleRate * 60.0 / tempo;
    return std::isfinite (tempo) && tempo > 0.0
        && std::isfinite (samplesPerBeat) && samplesPerBeat > 0.0
        && std::isfinite (cyclesPerBeat) && cyclesPerBeat > 0.0
        && std::isfinite (position);
}

void Clock::recalculate()
{
    dirty = false;

    if (! hasUsableTempo())
    {
        beatsPerSample = 0.0;
        countdown = -1; // never 0, and marks the clock dirty again at the next tick
        return;
    }

    const double period = 1.0 / cyclesPerBeat;
    const double samplesPerBeat = sampleRate * 60.0 / tempo;
    beatsPerSample = 1.0 / samplesPerBeat;

    const double boundary = period * std::ceil (position / period);
    const double begin = boundary - period;
    const double mid = begin + duty * period;

    if (position < 0.0)
    {
        state = -1;
        countdown = -1;
        nextState = 0;
    }
    else if (position > mid)
        scheduleSecondPart (boundary, period, samplesPerBeat);
    else
        scheduleFirstPart (begin, boundary, mid, period, samplesPerBeat);
}

void Clock::scheduleSecondPart (double boundary, double period, double samplesPerBeat)
{
    const double tolerance = 0.005 * period;
    if (state == -1)
    {
        nextState = 0;
        countdown = 0;
    }
    else if (state == 0)
    {
        nextState = 1;
        countdown = position > boundary - tolerance
                      ? samplesUntil (boundary + duty * period - position, samplesPerBeat)
                      : 0;
    }
    else
    {
        nextState = 0;
        countdown = samplesUntil (boundary - position, samplesPerBeat);
    }
}

void Clock::scheduleFirstPart (double begin, double boundary, double mid, double period, double samplesPerBeat)
{
    const double tolerance = 0.005 * period;
    if (state == -1)
    {
        nextState = 0;
        countdown = 0;
    }
    else if (state == 0)
    {
        nextState = 1;
        countdown = samplesUntil (mid - position, samplesPerBeat);
    }
    else
    {
        nextState = 0;
        countdown = position > begin + tolerance ? samplesUntil (boundary - position, samplesPerBeat) : 0;
    }
}
