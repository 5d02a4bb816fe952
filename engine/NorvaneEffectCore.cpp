#include "engine/NorvaneEffectCore.h"

#include <cmath>

namespace
{
float clampToUnit (double value)
{
    if (! (value > 0.0)) // also catches NaN
        return 0.0f;
    return value < 1.0 ? (float) value : 1.0f;
}
} // namespace

NorvaneEffectCore::NorvaneEffectCore()
{
    fillMeterTable();

    // Releasing a write lock signals JUCE's events, whose std::mutex the
    // Windows build's threads library (winpthreads) creates on its first
    // lock: taking each lock once here keeps that allocation off the audio
    // thread. The values published are the initial ones.
    publishMeters (0.0, 0.0);
    publishOscillators (0.0, 0.0);
}

NorvaneEffectCore::~NorvaneEffectCore() = default;

void NorvaneEffectCore::fillMeterTable()
{
    for (int i = 0; i < meterTableSize; ++i)
    {
        const double a = std::abs (i - 200) * 0.01;
        const double level = a == 0.0 ? -320.0 : 20.0 * std::log10 (a);
        meterTable[i] = juce::jlimit (0.0, 1.0, level * 0.03333333333333333 + 0.8);
    }
}

double NorvaneEffectCore::getMeterTableEntry (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, meterTableSize) ? meterTable[index] : 0.0;
}

void NorvaneEffectCore::requestPresetChange()
{
    const juce::ScopedLock lock (coreLock);
    fadeActive = true;
    fadingOut = true;
    holding = false;
    fadeTarget = 0.0;
    holdCount = 0;
}

void NorvaneEffectCore::prepare (float) {}
void NorvaneEffectCore::applyParameter (int, float) {}
void NorvaneEffectCore::setTempo (double) {}
void NorvaneEffectCore::syncOscillator (int, Clock&) {}
int NorvaneEffectCore::getLatencySamples() { return 0; }
void NorvaneEffectCore::processStereo (float*, float*, int) {}
void NorvaneEffectCore::processMono (float*, int) {}

bool NorvaneEffectCore::stepFade (double kParam, double sampleRate)
{
    if (! fadeActive)
        return false;

    fadeGain = fadeGain - ((fadeGain - fadeTarget) * kParam + 1e-20);

    bool reachedSilence = false;
    if (fadeGain < 0.001 && fadingOut)
    {
        reachSilentPoint (sampleRate);
        reachedSilence = true;
    }

    if (holdCount > 0 && holding && --holdCount == 0)
    {
        fadeTarget = 1.0;
        holding = false;
        fadingIn = true;
    }

    if (fadeGain > 0.99 && fadingIn)
    {
        fadeActive = false;
        fadeTarget = 1.0;
        fadeGain = 1.0;
        holding = false;
        fadingIn = false;
    }
    return reachedSilence;
}

void NorvaneEffectCore::reachSilentPoint (double sampleRate)
{
    fadeTarget = 0.0;
    fadeGain = 0.0;
    holding = true;
    fadingOut = false;
    // At least one sample, so that absurdly low rates cannot hold the silence for ever.
    holdCount = juce::jmax (1, (int) (sampleRate / 44100.0 * 4000.0));

    if (plugin != nullptr)
        plugin->applyCurrentPreset();
}

void NorvaneEffectCore::publishMeters (double left, double right)
{
    const juce::ScopedWriteLock lock (meterLock);
    publishedLeft = clampToUnit (left);
    publishedRight = clampToUnit (right);
}

void NorvaneEffectCore::getPublishedMeters (float& left, float& right) const
{
    const juce::ScopedReadLock lock (meterLock);
    left = publishedLeft;
    right = publishedRight;
}

void NorvaneEffectCore::publishOscillators (double first, double second)
{
    const juce::ScopedWriteLock lock (oscillatorLock);
    publishedFirst = (float) first;
    publishedSecond = (float) second;
}

void NorvaneEffectCore::getPublishedOscillators (float& first, float& second) const
{
    const juce::ScopedReadLock lock (oscillatorLock);
    first = publishedFirst;
    second = publishedSecond;
}
