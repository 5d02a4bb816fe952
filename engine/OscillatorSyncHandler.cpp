#include "engine/OscillatorSyncHandler.h"

#include <cmath>

#include "engine/Clock.h"
#include "engine/QuilvernCore.h"
#include "framework/SteppedValue.h"

namespace
{
int stepOf (float value, int steps)
{
    return (int) SteppedValue::nearestStep (value, steps);
}

double syncMultiplierFor (int mode)
{
    switch (mode)
    {
        case 2: return 0.66666;
        case 3: return 1.5;
        default: return 1.0;
    }
}
} // namespace

void OscillatorSyncHandler::noteRateChanged (int oscillator, float value, QuilvernCore* core, Clock* clock)
{
    if (! isValid (oscillator) || std::isnan (value))
        return;

    auto& s = settings[oscillator];
    const int d = stepOf (value, 10);
    s.noteIndex = 10 - d;
    if (s.noteIndex == s.lastNoteIndex)
        return;
    s.lastNoteIndex = s.noteIndex;
    s.noteMultiplier = std::pow (2.0, d - 7);
    applyMultiplier (oscillator, core, clock);
}

bool OscillatorSyncHandler::syncChanged (int oscillator, float value, QuilvernCore* core, Clock* clock)
{
    if (! isValid (oscillator) || std::isnan (value))
        return true;

    auto& s = settings[oscillator];
    const int mode = stepOf (value, 3);
    if (mode != s.syncMode)
    {
        s.syncMode = mode;
        s.syncMultiplier = syncMultiplierFor (mode);
        applyMultiplier (oscillator, core, clock);
    }
    return true;
}

void OscillatorSyncHandler::applyMultiplier (int oscillator, QuilvernCore* core, Clock* clock)
{
    if (core == nullptr)
        return;

    const auto& s = settings[oscillator];
    const double multiplier = s.syncMultiplier * s.noteMultiplier;
    if (clock != nullptr)
        clock->setCyclesPerBeat (multiplier);
    core->setOscillatorMultiplier (oscillator, multiplier);
    if (core->getSyncMode (0) != 0 && core->getSyncMode (1) != 0)
        core->resetPhases();
}

int OscillatorSyncHandler::getNoteIndex (int oscillator) const noexcept
{
    return isValid (oscillator) ? settings[oscillator].noteIndex : 0;
}

int OscillatorSyncHandler::getSyncMode (int oscillator) const noexcept
{
    return isValid (oscillator) ? settings[oscillator].syncMode : -1;
}

double OscillatorSyncHandler::getNoteMultiplier (int oscillator) const noexcept
{
    return isValid (oscillator) ? settings[oscillator].noteMultiplier : 0.0;
}

double OscillatorSyncHandler::getSyncMultiplier (int oscillator) const noexcept
{
    return isValid (oscillator) ? settings[oscillator].syncMultiplier : 0.0;
}
