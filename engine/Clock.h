#pragma once

#include <atomic>

// Square-wave beat clock following the host's song position. One period lasts
// 1 / cyclesPerBeat beats; tick() reports the edges between its two parts.
//
// The audio thread owns the clock, with one exception: the note and sync
// handling sets cyclesPerBeat from whichever thread changed a parameter. That
// value is handed over through an atomic, and tick() takes it into the
// schedule, so setting it neither locks nor touches the schedule.
class Clock
{
public:
    void setSampleRate (double newSampleRate);
    void setTempo (double beatsPerMinute);
    // Any thread.
    void setCyclesPerBeat (double cycles) noexcept;
    void setPosition (double beats);

    double getSampleRate() const noexcept { return sampleRate; }
    double getTempo() const noexcept { return tempo; }
    // The latest value set, which the next tick schedules with.
    double getCyclesPerBeat() const noexcept { return requestedCyclesPerBeat.load (std::memory_order_relaxed); }
    double getPosition() const noexcept { return position; }
    bool isRunning() const noexcept { return running; }

    void start (double hostPosition);
    void stop();

    // Advances one sample; true when the clock changed state at this sample.
    bool tick();

    bool isInFirstPart() const noexcept { return state == 0; }

private:
    void takeCyclesPerBeat() noexcept;
    bool hasUsableTempo() const noexcept;
    void recalculate();
    void scheduleSecondPart (double boundary, double period, double samplesPerBeat);
    void scheduleFirstPart (double begin, double boundary, double mid, double period, double samplesPerBeat);

    double position = 0.0;
    double sampleRate = 44100.0;
    double tempo = 0.0;
    double cyclesPerBeat = 4.0; // the schedule's, audio thread only
    std::atomic<double> requestedCyclesPerBeat { 4.0 };
    double duty = 0.5;
    double beatsPerSample = 0.0;
    int countdown = 0;
    int state = 0;
    int nextState = 0;
    bool running = false;
    bool dirty = true;
};
