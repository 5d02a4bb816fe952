#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <optional>

// What the product's parameter texts are built from: the normalised values
// the phaser core was last given, and per oscillator the note index and
// sync mode the product keeps for tempo sync.
struct QuilvernDisplayValues
{
    std::array<double, 16> raw {};
    std::array<int, 2> noteIndex {};
    std::array<int, 2> syncMode { -1, -1 };
};

// The texts the product shows to the host and the editor for its sixteen
// parameters ("6", "50%", "90 deg", "0.5Hz", "Saw rising", "+12.0dB", "1/4t").
class QuilvernParameterText
{
public:
    // The text of parameter 0..15; nothing for other indexes or a note index
    // outside 0..10, where the generic parameter text applies.
    static std::optional<juce::String> getText (int index, const QuilvernDisplayValues& values);

    static juce::String getStagesText (double x);
    static juce::String getPercentText (double x);
    static juce::String getPhaseText (double x);
    static juce::String getRateText (double x);
    static juce::String getWaveName (double x);
    static juce::String getMixText (double x);
    static juce::String getVolumeText (double x);
    static std::optional<juce::String> getNoteRateText (int noteIndex, int syncMode);
    static juce::String getSyncName (double x);

    // The free oscillator rate in Hz, 0.01 Hz to 20 Hz on an exponential curve.
    static double getFreeRate (double x);

    // The note index (0 for "1/32" to 10 for "32") a "Note Rate" value selects.
    static int getNoteIndex (double x);

    // How many values a stepped parameter takes: 4 stage counts, 6 waves,
    // 11 note values, 4 sync modes; 0 for the continuous ones.
    static int getStepCount (int index);
};
