#pragma once

class Clock;
class QuilvernCore;

// The product's note and sync settings of the two oscillators: turns the
// "Note Rate" and "Sync" parameters into the cycles-per-beat multiplier of
// the core's oscillator and of its tempo clock.
class OscillatorSyncHandler
{
public:
    static constexpr int numOscillators = 2;

    // A "Note Rate" value changed (parameters 12 and 14).
    void noteRateChanged (int oscillator, float value, QuilvernCore* core, Clock* clock);

    // A "Sync" value changed (parameters 13 and 15). Returns true: the host's
    // display of the processor must be refreshed, whether the mode changed or not.
    bool syncChanged (int oscillator, float value, QuilvernCore* core, Clock* clock);

    int getNoteIndex (int oscillator) const noexcept;
    int getSyncMode (int oscillator) const noexcept;
    double getNoteMultiplier (int oscillator) const noexcept;
    double getSyncMultiplier (int oscillator) const noexcept;

private:
    struct Settings
    {
        int noteIndex = 0;
        // None taken yet: whatever note rate comes first sets the multiplier.
        int lastNoteIndex = -1;
        double noteMultiplier = 0.0;
        int syncMode = -1;
        double syncMultiplier = 0.0;
    };

    static bool isValid (int oscillator) noexcept { return oscillator >= 0 && oscillator < numOscillators; }
    void applyMultiplier (int oscillator, QuilvernCore* core, Clock* clock);

    Settings settings[numOscillators];
};
