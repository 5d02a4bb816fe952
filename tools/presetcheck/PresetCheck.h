#pragma once

#include "tests/support/FactoryBank.h"
#include "tools/presetcheck/SignalFeatures.h"

// Checks the factory bank: its layout, and what each preset does to a
// -6 dBFS test signal. Prints a report and returns the number of failures.
class PresetCheck
{
public:
    // Limits of the checks.
    static constexpr float silentRmsDb = -40.0f;
    static constexpr float clippingPeakDb = 0.0f;
    static constexpr float nearIdenticalParameters = 0.02f;
    static constexpr float nearIdenticalSoundDb = 0.5f;

    int run();

private:
    void checkLayout();
    void renderAll();
    void checkLevels();
    void checkDistances();
    void fail (const juce::String& message);

    static float parameterDistance (const FactoryBank::Entry& a, const FactoryBank::Entry& b);

    FactoryBank bank;
    SignalFeatures dry;
    std::vector<SignalFeatures> rendered;
    int failures = 0;
};
