#include "engine/QuilvernCore.h"

#include <cmath>

#include "engine/Clock.h"
#include "engine/OscillatorWave.h"
#include "engine/PhaserDirectPath.h"
#include "engine/PhaserFastPath.h"
#include "framework/SteppedValue.h"

namespace
{
struct FrequencyRange
{
    double scale, base;
};

// Centre frequency f = (scale w + base) srFactor for one to four sections.
constexpr FrequencyRange frequencyRanges[PhaserState::maxSections] = {
    { 759.7, 40.3 }, { 615.7, 44.3 }, { 313.5, 16.5 }, { 209.0, 11.0 }
};

struct RateFactor
{
    double sampleRate, factor;
};

constexpr RateFactor rateFactors[] = {
    { 44100.0, 1.0 }, { 48000.0, 1.034 }, { 88200.0, 1.0625 }, { 96000.0, 1.0681 }, { 192000.0, 1.1363 }
};
constexpr int numRateFactors = (int) (sizeof (rateFactors) / sizeof (rateFactors[0]));

double clampToUnit (double value) noexcept { return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value); }
} // namespace

QuilvernCore::QuilvernCore()
{
    for (auto& raw : rawValues)
        raw.store (0.0f, std::memory_order_relaxed);
    computeSampleRateValues (44100.0);
}

double QuilvernCore::sampleRateFactor (double sampleRate) noexcept
{
    if (! (sampleRate > 0.0) || ! std::isfinite (sampleRate))
        return 1.0;

    const double whole = std::floor (sampleRate);
    for (const auto& entry : rateFactors)
        if (whole == entry.sampleRate)
            return entry.factor;

    // Between the listed rates the factor is interpolated linearly over the
    // octave (log2 of the rate), so it grows smoothly with the rate and meets
    // every listed value; outside them it stays at the nearest end's factor.
    if (sampleRate <= rateFactors[0].sampleRate)
        return rateFactors[0].factor;
    for (int i = 1; i < numRateFactors; ++i)
    {
        const auto& low = rateFactors[i - 1];
        const auto& high = rateFactors[i];
        if (sampleRate < high.sampleRate)
        {
            const double t = std::log2 (sampleRate / low.sampleRate) / std::log2 (high.sampleRate / low.sampleRate);
            return low.factor + t * (high.factor - low.factor);
        }
    }
    return rateFactors[numRateFactors - 1].factor;
}

void QuilvernCore::computeSampleRateValues (double sampleRate)
{
    auto& s = state;
    s.sampleRate = sampleRate;
    const double b = 2.0 * (1.0 - std::pow (0.5, 44100.0 / sampleRate));
    s.kParam = 0.002 * b;
    s.kMod = 0.01 * b;
    s.meterDecay = 1.0 - 0.0001 * b;
    s.a50 = std::exp (-OscillatorWave::twoPi * 50.0 / sampleRate) + 1e-20;
    s.g50 = (s.a50 + 1.0) / 2.0 + 1e-20;
    s.a5000 = std::exp (-OscillatorWave::twoPi * 5000.0 / sampleRate) + 1e-20;
    s.g5000 = (s.a5000 + 1.0) / 2.0 + 1e-20;
    s.srFactor = sampleRateFactor (sampleRate);
}

void QuilvernCore::prepare (float sampleRate)
{
    // A rate no host can run at would make every coefficient meaningless;
    // keep the previous one.
    if (sampleRate > 0.0f && std::isfinite (sampleRate))
        computeSampleRateValues (sampleRate);

    applyStoredValues();
    state.clearFilters();
    state.resetOscillators();
}

void QuilvernCore::applyStoredValues()
{
    for (int index = 0; index < numParameters; ++index)
        applyEngineValue (index, getRawValue (index));
    for (auto& oscillator : oscillators)
        oscillator.refresh (state.sampleRate, getTempo());
}

void QuilvernCore::applyParameter (int index, float value)
{
    // Normalised values outside 0 to 1 are clamped; one that is not a number is dropped.
    if (index < 0 || index >= numParameters || std::isnan (value))
        return;
    const double x = clampToUnit (value);
    rawValues[index].store ((float) x, std::memory_order_relaxed);
    applyEngineValue (index, x);
}

void QuilvernCore::applyEngineValue (int index, double x)
{
    const double sr = state.sampleRate;
    switch (index)
    {
        case stagesNumber: sectionCount = (int) SteppedValue::nearestStep (x, 3) + 1; break;
        case feedback: feedbackTarget = 0.95 * x; break;
        case stereoPhase: stereoOffsetTarget = OscillatorWave::pi * x; break;
        case lfo1Rate: oscillators[0].setRate (x, sr, getTempo()); break;
        case lfo1Depth: depthTarget[0] = x; break;
        case lfo1Offset: offsetTarget = x; break;
        case lfo1Wave: oscillators[0].setWave (x); break;
        case lfo2Rate: oscillators[1].setRate (x, sr, getTempo()); break;
        case lfo2Depth: depthTarget[1] = x; break;
        case lfo2Wave: oscillators[1].setWave (x); break;
        case fx: mixTarget = x; break;
        case outputVolume: gainTarget = 4.0 * x * x; break;
        case lfo1Sync: oscillators[0].setSyncMode (x, sr); break;
        case lfo2Sync: oscillators[1].setSyncMode (x, sr); break;
        default: break; // the note rates reach the core through setOscillatorMultiplier
    }
}

void QuilvernCore::setTempo (double beatsPerMinute)
{
    // A tempo of 0, below 0 or not finite leaves the synchronised frequencies as they were.
    if (! ModulationOscillator::isUsableTempo (beatsPerMinute) || beatsPerMinute == getTempo())
        return;
    tempo.store (beatsPerMinute, std::memory_order_relaxed);
    for (auto& oscillator : oscillators)
        oscillator.applySyncFrequency (state.sampleRate, beatsPerMinute);
}

void QuilvernCore::setOscillatorMultiplier (int oscillator, double cyclesPerBeat)
{
    if (oscillator < 0 || oscillator >= PhaserState::numOscillators || ! std::isfinite (cyclesPerBeat))
        return;
    oscillators[oscillator].setMultiplier (cyclesPerBeat, state.sampleRate, getTempo());
}

void QuilvernCore::resetPhases() noexcept
{
    // Called outside the processing lock: the audio thread carries it out.
    phaseResetPending.store (true, std::memory_order_release);
}

void QuilvernCore::takePendingPhaseReset() noexcept
{
    if (phaseResetPending.exchange (false, std::memory_order_acquire))
        for (auto& phases : state.phase)
            phases[PhaserState::left] = phases[PhaserState::right] = 0.0;
}

void QuilvernCore::syncOscillator (int oscillator, Clock& clock)
{
    if (oscillator < 0 || oscillator >= PhaserState::numOscillators || ! oscillators[oscillator].isSynchronised())
        return;

    const double n = clock.getCyclesPerBeat();
    const double position = clock.getPosition();
    const double d = position * n;
    const double phase = (position - (std::ceil (d) / n - 1.0 / n)) * n * OscillatorWave::twoPi;
    if (! std::isfinite (phase))
        return;

    takePendingPhaseReset();
    auto& s = state;
    s.phase[oscillator][PhaserState::left] = s.phase[oscillator][PhaserState::right] = phase;
    s.held[oscillator][PhaserState::left] = s.held[oscillator][PhaserState::right];
}

int QuilvernCore::getLatencySamples() { return 0; }

void QuilvernCore::processStereo (float* left, float* right, int numSamples) { process (left, right, numSamples); }

void QuilvernCore::processMono (float* buffer, int numSamples) { process (buffer, nullptr, numSamples); }

void QuilvernCore::process (float* left, float* right, int numSamples)
{
    takePendingPhaseReset();
    if (numSamples > 0 && left != nullptr)
    {
        if (useDirectFormulas || ! fastPathCovers())
            PhaserDirectPath::process (*this, left, right, numSamples);
        else
            PhaserFastPath::process (*this, left, right, numSamples);
    }
    recoverNonFiniteChannels();
    publish();
}

bool QuilvernCore::fastPathCovers() const noexcept
{
    // The vectorised coefficient polynomials are exact for angles 2 pi p up to 0.5.
    const double highestAngle = OscillatorWave::twoPi * 800.0 * state.srFactor / (2.0 * state.sampleRate);
    return highestAngle <= 0.5;
}

void QuilvernCore::recoverNonFiniteChannels() noexcept
{
    for (int channel = 0; channel < 2; ++channel)
        if (! state.hasFiniteFilters (channel))
        {
            state.clearFilters (channel);
            state.modulation[channel] = state.level[channel] = state.meter[channel] = 0.0;
        }
}

void QuilvernCore::publish()
{
    publishMeters (state.meter[PhaserState::left], state.meter[PhaserState::right]);
    publishOscillators (state.value[0][PhaserState::left], state.value[1][PhaserState::left]);
}

PhaserTargets QuilvernCore::snapshotTargets() const noexcept
{
    PhaserTargets t;
    t.values[PhaserState::gain] = gainTarget;
    t.values[PhaserState::feedback] = feedbackTarget;
    t.values[PhaserState::offset] = offsetTarget;
    t.values[PhaserState::depth1] = depthTarget[0];
    t.values[PhaserState::increment1] = oscillators[0].getIncrementTarget();
    t.values[PhaserState::depth2] = depthTarget[1];
    t.values[PhaserState::increment2] = oscillators[1].getIncrementTarget();
    t.values[PhaserState::stereoOffset] = stereoOffsetTarget;
    t.values[PhaserState::mix] = mixTarget;
    t.sectionCount = sectionCount < 1 ? 1 : (sectionCount > PhaserState::maxSections ? PhaserState::maxSections : sectionCount);
    for (int k = 0; k < PhaserState::numOscillators; ++k)
        t.wave[k] = oscillators[k].getWave();
    t.frequencyScale = frequencyRanges[t.sectionCount - 1].scale;
    t.frequencyBase = frequencyRanges[t.sectionCount - 1].base;
    return t;
}

float QuilvernCore::getRawValue (int index) const noexcept
{
    return index >= 0 && index < numParameters ? rawValues[index].load (std::memory_order_relaxed) : 0.0f;
}

int QuilvernCore::getWave (int oscillator) const noexcept
{
    return oscillator >= 0 && oscillator < PhaserState::numOscillators ? oscillators[oscillator].getWave() : 0;
}

int QuilvernCore::getSyncMode (int oscillator) const noexcept
{
    return oscillator >= 0 && oscillator < PhaserState::numOscillators ? oscillators[oscillator].getSyncMode() : 0;
}

double QuilvernCore::getFreeFrequency (int oscillator) const noexcept
{
    return oscillator >= 0 && oscillator < PhaserState::numOscillators ? oscillators[oscillator].getFreeFrequency() : 0.0;
}

double QuilvernCore::getFrequency (int oscillator) const noexcept
{
    return oscillator >= 0 && oscillator < PhaserState::numOscillators ? oscillators[oscillator].getFrequency() : 0.0;
}

bool QuilvernCore::isChannelActive (int channel) const noexcept
{
    return channel >= 0 && channel < 2 && state.active[channel];
}

double QuilvernCore::getPhase (int oscillator, int channel) const noexcept
{
    const bool valid = oscillator >= 0 && oscillator < PhaserState::numOscillators && channel >= 0 && channel < 2;
    return valid ? state.phase[oscillator][channel] : 0.0;
}
