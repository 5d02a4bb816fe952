#pragma once

#include <juce_core/juce_core.h>

#include "presets/PresetApplier.h"
#include "presets/PresetChanger.h"
#include "presets/PresetManagerListener.h"

class Clock;

// Base of every effect family member's signal processor: the level-meter
// table and published meters, the lock the frame processes under, and the
// click-free preset change (fade out, apply at the silent point, hold, fade in).
class NorvaneEffectCore : public PresetChanger,
                          public PresetManagerListener
{
public:
    static constexpr int meterTableSize = 400;

    NorvaneEffectCore();
    ~NorvaneEffectCore() override;

    void requestPresetChange() override;
    virtual void prepare (float sampleRate);
    virtual void applyParameter (int index, float value);
    virtual void setTempo (double beatsPerMinute);
    virtual void syncOscillator (int oscillator, Clock& clock);
    virtual int getLatencySamples();
    virtual void processStereo (float* left, float* right, int numSamples);
    virtual void processMono (float* buffer, int numSamples);

    void presetChanged() override {}

    void setPlugin (PresetApplier* owner) noexcept { plugin = owner; }
    PresetApplier* getPlugin() const noexcept { return plugin; }

    juce::CriticalSection& getCoreLock() noexcept { return coreLock; }

    double getMeterTableEntry (int index) const noexcept;
    const double* getMeterTable() const noexcept { return meterTable; }
    void getPublishedMeters (float& left, float& right) const;
    void getPublishedOscillators (float& first, float& second) const;

    // One step of the preset-change fade; true at the step that reached the
    // silent point (and applied the preset there).
    bool stepFade (double kParam, double sampleRate);
    double getFadeGain() const noexcept { return fadeGain; }
    bool isFading() const noexcept { return fadeActive; }

protected:
    void publishMeters (double left, double right);
    void publishOscillators (double first, double second);

private:
    void fillMeterTable();
    void reachSilentPoint (double sampleRate);

    PresetApplier* plugin = nullptr;

    juce::ReadWriteLock meterLock;
    float publishedLeft = 0.0f;
    float publishedRight = 0.0f;

    juce::ReadWriteLock oscillatorLock;
    float publishedFirst = 0.0f;
    float publishedSecond = 0.0f;

    double meterTable[meterTableSize];

    juce::CriticalSection coreLock;

    bool fadeActive = false;
    bool fadingOut = false;
    bool holding = false;
    bool fadingIn = false;
    double fadeGain = 1.0;
    double fadeTarget = 1.0;
    int holdCount = 0;

    JUCE_DECLARE_NON_COPYABLE (NorvaneEffectCore)
};
