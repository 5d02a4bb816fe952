#include "engine/ModulationOscillator.h"

#include <cmath>

#include "engine/OscillatorWave.h"
#include "framework/SteppedValue.h"

double ModulationOscillator::freeRateForValue (double normalised) noexcept
{
    return std::exp (7.367528706904771 * normalised) * 0.01263019463426548 - 0.00263019462995602;
}

bool ModulationOscillator::isUsableTempo (double beatsPerMinute) noexcept
{
    return std::isfinite (beatsPerMinute) && beatsPerMinute > 0.0;
}

void ModulationOscillator::setRate (double normalised, double sampleRate, double tempo)
{
    rawRate.store (normalised, std::memory_order_relaxed);
    freeFrequency.store (freeRateForValue (normalised), std::memory_order_relaxed);
    if (isSynchronised())
        applySyncFrequency (sampleRate, tempo);
    else
        runFree (sampleRate);
}

void ModulationOscillator::setWave (double normalised) noexcept
{
    wave.store ((int) SteppedValue::nearestStep (normalised, 5), std::memory_order_relaxed);
}

void ModulationOscillator::setSyncMode (double normalised, double sampleRate)
{
    const int mode = (int) SteppedValue::nearestStep (normalised, 3);
    syncMode.store (mode, std::memory_order_relaxed);
    if (mode == 0)
        runFree (sampleRate);
}

void ModulationOscillator::setMultiplier (double cyclesPerBeat, double sampleRate, double tempo)
{
    multiplier.store (cyclesPerBeat, std::memory_order_relaxed);
    applySyncFrequency (sampleRate, tempo);
}

void ModulationOscillator::applySyncFrequency (double sampleRate, double tempo)
{
    // Without a usable tempo the oscillator keeps the frequency it had.
    if (isSynchronised() && isUsableTempo (tempo))
        setFrequency (tempo * 0.016666666666666666 * getMultiplier(), sampleRate);
}

void ModulationOscillator::refresh (double sampleRate, double tempo)
{
    if (isSynchronised() && isUsableTempo (tempo))
        applySyncFrequency (sampleRate, tempo);
    else if (isSynchronised())
        setFrequency (getFrequency(), sampleRate);
    else
        runFree (sampleRate);
}

void ModulationOscillator::runFree (double sampleRate) { setFrequency (getFreeFrequency(), sampleRate); }

void ModulationOscillator::setFrequency (double hz, double sampleRate)
{
    frequency.store (hz, std::memory_order_relaxed);
    // Above half the sample rate the phase would outrun its once-per-sample
    // wrap; an oscillator that fast only aliases anyway.
    const double usable = hz < 0.5 * sampleRate ? hz : 0.5 * sampleRate;
    incrementTarget.store (OscillatorWave::twoPi / (sampleRate / usable) + 1e-20, std::memory_order_relaxed);
}
