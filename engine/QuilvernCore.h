#pragma once

#include <atomic>

#include "engine/ModulationOscillator.h"
#include "engine/NorvaneEffectCore.h"
#include "engine/PhaserState.h"

// The phaser: one to four second-order all-pass sections run at twice the
// sample rate with feedback and a high-frequency feed, swept by two
// oscillators and mixed with the dry input.
class QuilvernCore : public NorvaneEffectCore
{
public:
    static constexpr int numParameters = 16;

    enum ParameterIndex
    {
        stagesNumber = 0,
        feedback,
        stereoPhase,
        lfo1Rate,
        lfo1Depth,
        lfo1Offset,
        lfo1Wave,
        lfo2Rate,
        lfo2Depth,
        lfo2Wave,
        fx,
        outputVolume,
        lfo1NoteRate,
        lfo1Sync,
        lfo2NoteRate,
        lfo2Sync
    };

    QuilvernCore();

    void prepare (float sampleRate) override;
    void applyParameter (int index, float value) override;
    void setTempo (double beatsPerMinute) override;
    void syncOscillator (int oscillator, Clock& clock) override;
    int getLatencySamples() override;
    void processStereo (float* left, float* right, int numSamples) override;
    void processMono (float* buffer, int numSamples) override;

    // Note/sync handling: cycles per beat of a synchronised oscillator.
    void setOscillatorMultiplier (int oscillator, double cyclesPerBeat);
    // Restarts all four oscillator phases at 0 before the next processed sample.
    void resetPhases() noexcept;

    static double sampleRateFactor (double sampleRate) noexcept;

    // The values the processing loop aims at, as they stand now.
    PhaserTargets snapshotTargets() const noexcept;

    float getRawValue (int index) const noexcept;
    int getSectionCount() const noexcept { return sectionCount; }
    int getWave (int oscillator) const noexcept;
    int getSyncMode (int oscillator) const noexcept;
    double getFreeFrequency (int oscillator) const noexcept;
    double getFrequency (int oscillator) const noexcept;
    double getTempo() const noexcept { return tempo.load (std::memory_order_relaxed); }
    double getSampleRate() const noexcept { return state.sampleRate; }
    double getSampleRateFactor() const noexcept { return state.srFactor; }
    bool isChannelActive (int channel) const noexcept;
    double getPhase (int oscillator, int channel) const noexcept;

    // Runs the plain, unoptimised transcription of the formulas instead of
    // the vectorised path; kept as the reference the fast path is checked against.
    void setUseDirectFormulas (bool useDirect) noexcept { useDirectFormulas = useDirect; }

private:
    friend class PhaserDirectPath;
    friend class PhaserFastPath;

    void applyStoredValues();
    void applyEngineValue (int index, double value);
    void computeSampleRateValues (double sampleRate);
    void takePendingPhaseReset() noexcept;
    void process (float* left, float* right, int numSamples);
    bool fastPathCovers() const noexcept;
    void recoverNonFiniteChannels() noexcept;
    void publish();

    PhaserState state;
    ModulationOscillator oscillators[PhaserState::numOscillators];

    std::atomic<float> rawValues[numParameters];
    std::atomic<double> tempo { 0.0 };
    std::atomic<bool> phaseResetPending { false };

    int sectionCount = 1;
    double feedbackTarget = 0.0;
    double stereoOffsetTarget = 0.0;
    double offsetTarget = 0.0;
    double depthTarget[PhaserState::numOscillators] {};
    double mixTarget = 0.0;
    double gainTarget = 0.0;

    bool useDirectFormulas = false;
};
