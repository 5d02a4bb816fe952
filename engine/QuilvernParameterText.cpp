#include "engine/QuilvernParameterText.h"

#include "framework/NumberText.h"
#include "framework/SteppedValue.h"

#include <cmath>

namespace
{
// Rounds half away from zero and truncates, as the texts have always done.
int nearest (double v)
{
    return NumberText::truncateToInt (v >= 0.0 ? v + 0.5 : v - 0.5);
}

int step (double x, int steps)
{
    return (int) SteppedValue::nearestStep (x, steps);
}

// The sync mode of each oscillator's "Sync" parameter, by parameter index.
int oscillatorOf (int index)
{
    return index <= 13 ? 0 : 1;
}
} // namespace

std::optional<juce::String> QuilvernParameterText::getText (int index, const QuilvernDisplayValues& values)
{
    if (index < 0 || index >= (int) values.raw.size())
        return std::nullopt;

    const double x = values.raw[(size_t) index];

    switch (index)
    {
        case 0:  return getStagesText (x);
        case 1:
        case 4:
        case 5:
        case 8:  return getPercentText (x);
        case 2:  return getPhaseText (x);
        case 3:
        case 7:  return getRateText (x);
        case 6:
        case 9:  return getWaveName (x);
        case 10: return getMixText (x);
        case 11: return getVolumeText (x);
        case 12:
        case 14:
        {
            const auto oscillator = (size_t) oscillatorOf (index);
            return getNoteRateText (values.noteIndex[oscillator], values.syncMode[oscillator]);
        }
        default: return getSyncName (x);
    }
}

int QuilvernParameterText::getNoteIndex (double x)
{
    return 10 - step (x, 10);
}

int QuilvernParameterText::getStepCount (int index)
{
    switch (index)
    {
        case 0:
        case 13:
        case 15: return 4;
        case 6:
        case 9:  return 6;
        case 12:
        case 14: return 11;
        default: return 0;
    }
}

juce::String QuilvernParameterText::getStagesText (double x)
{
    const int sectionCount = step (x, 3) + 1;
    return juce::String (2 * sectionCount);
}

juce::String QuilvernParameterText::getPercentText (double x)
{
    return juce::String (nearest (100.0 * x)) + "%";
}

juce::String QuilvernParameterText::getPhaseText (double x)
{
    return juce::String (nearest (180.0 * x)) + " deg";
}

double QuilvernParameterText::getFreeRate (double x)
{
    return std::exp (7.367528706904771 * x) * 0.01263019463426548 - 0.00263019462995602;
}

juce::String QuilvernParameterText::getRateText (double x)
{
    const double hundredths = nearest (100.0 * getFreeRate (x));
    return NumberText::formatSignificant9 (hundredths * 0.01) + "Hz";
}

juce::String QuilvernParameterText::getWaveName (double x)
{
    static const char* const names[] = { "Triangle", "Square", "Sine", "Saw rising", "Saw falling", "Random" };
    const int wave = step (x, 5);
    return names[juce::isPositiveAndBelow (wave, 6) ? wave : 0];
}

juce::String QuilvernParameterText::getMixText (double x)
{
    const int wet = NumberText::truncateToInt (std::floor (100.0 * x + 0.5));
    return juce::String (100 - wet) + "/" + juce::String (wet) + "% (Dry/Wet)";
}

juce::String QuilvernParameterText::getVolumeText (double x)
{
    const double gain = 4.0 * x * x;
    const double dB = gain > 0.0 ? 20.0 * std::log10 (gain) : 0.0;

    if (! (gain > 0.0 && dB > -320.0))
        return "-Inf.";

    // One decimal from the magnitude in tenths; just below 0 dB gives "-0.0".
    const int tenths = NumberText::truncateToInt (std::abs (dB) * 10.0 + 0.5);
    const juce::String sign = dB > 0.01 ? "+" : (dB < 0.0 ? "-" : "");
    return sign + juce::String (tenths / 10) + "." + juce::String (tenths % 10) + "dB";
}

std::optional<juce::String> QuilvernParameterText::getNoteRateText (int noteIndex, int syncMode)
{
    static const char* const names[] = { "1/32", "1/16", "1/8", "1/4", "1/2", "1", "2", "4", "8", "16", "32" };

    if (! juce::isPositiveAndBelow (noteIndex, 11))
        return std::nullopt;

    const juce::String suffix = syncMode == 2 ? "." : (syncMode == 3 ? "t" : "");
    return juce::String (names[noteIndex]) + suffix;
}

juce::String QuilvernParameterText::getSyncName (double x)
{
    static const char* const names[] = { "Off", "Full", "Dotted", "Triplet" };
    const int mode = step (x, 3);
    return names[juce::isPositiveAndBelow (mode, 4) ? mode : 0];
}
