#pragma once

#include <atomic>

// The settings of one modulation oscillator: free rate, wave, sync mode and
// the frequency and per-sample phase increment derived from them. The
// multiplier, sync mode and increment are also written outside the effect
// lock (note/sync handling, tempo), so they are atomics.
class ModulationOscillator
{
public:
    static double freeRateForValue (double normalised) noexcept;
    static bool isUsableTempo (double beatsPerMinute) noexcept;

    void setRate (double normalised, double sampleRate, double tempo);
    void setWave (double normalised) noexcept;
    void setSyncMode (double normalised, double sampleRate);
    void setMultiplier (double cyclesPerBeat, double sampleRate, double tempo);

    // Frequency from tempo and multiplier, for a synchronised oscillator and a usable tempo.
    void applySyncFrequency (double sampleRate, double tempo);
    // Recomputes everything derived after a sample-rate change.
    void refresh (double sampleRate, double tempo);

    double getRawRate() const noexcept { return rawRate.load (std::memory_order_relaxed); }
    double getFreeFrequency() const noexcept { return freeFrequency.load (std::memory_order_relaxed); }
    double getFrequency() const noexcept { return frequency.load (std::memory_order_relaxed); }
    double getIncrementTarget() const noexcept { return incrementTarget.load (std::memory_order_relaxed); }
    double getMultiplier() const noexcept { return multiplier.load (std::memory_order_relaxed); }
    int getWave() const noexcept { return wave.load (std::memory_order_relaxed); }
    int getSyncMode() const noexcept { return syncMode.load (std::memory_order_relaxed); }
    bool isSynchronised() const noexcept { return getSyncMode() != 0; }

private:
    void runFree (double sampleRate);
    void setFrequency (double hz, double sampleRate);

    std::atomic<double> rawRate { 0.0 };
    std::atomic<double> freeFrequency { 0.0 };
    std::atomic<int> wave { 0 };
    std::atomic<int> syncMode { 0 };
    std::atomic<double> multiplier { 0.0 };
    std::atomic<double> frequency { 0.0 };
    std::atomic<double> incrementTarget { 0.0 };
};
