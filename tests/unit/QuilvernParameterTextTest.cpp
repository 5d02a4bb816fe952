#include <gmock/gmock.h>

#include "engine/QuilvernParameterText.h"

namespace
{
struct Case
{
    int index;
    double x;
    const char* text;
};

QuilvernDisplayValues valuesWith (int index, double x)
{
    QuilvernDisplayValues values;
    values.raw.fill (0.5);
    values.raw[(size_t) index] = x;
    return values;
}
} // namespace

TEST (QuilvernParameterText, ShowsEachParametersEngineValue)
{
    for (const auto& c : { Case { 0, 0.5, "6" }, Case { 0, 0.16, "2" }, Case { 0, 0.17, "4" }, Case { 0, 1.0, "8" },
                           Case { 1, 0.5, "50%" }, Case { 1, 0.994, "99%" }, Case { 2, 0.5, "90 deg" },
                           Case { 3, 0.5, "0.5Hz" }, Case { 3, 0.0, "0.01Hz" }, Case { 7, 1.0, "20Hz" },
                           Case { 3, 0.3, "0.11Hz" }, Case { 4, 0.5, "50%" }, Case { 5, 0.255, "26%" },
                           Case { 8, 0.0, "0%" }, Case { 6, 0.5, "Saw rising" }, Case { 6, 0.1, "Square" },
                           Case { 6, 0.0, "Triangle" }, Case { 9, 0.9, "Random" }, Case { 9, 0.3, "Sine" },
                           Case { 9, 0.7, "Saw falling" }, Case { 10, 0.5, "50/50% (Dry/Wet)" },
                           Case { 10, 1.0, "0/100% (Dry/Wet)" }, Case { 10, 0.0, "100/0% (Dry/Wet)" },
                           Case { 13, 0.0, "Off" }, Case { 13, 0.5, "Dotted" }, Case { 15, 0.34, "Full" },
                           Case { 15, 1.0, "Triplet" } })
    {
        SCOPED_TRACE (juce::String (c.index) + " at " + juce::String (c.x));
        EXPECT_EQ (QuilvernParameterText::getText (c.index, valuesWith (c.index, c.x)), juce::String (c.text));
    }
}

TEST (QuilvernParameterText, ShowsOutputVolumeInDecibels)
{
    for (const auto& c : { Case { 11, 0.5, "0.0dB" }, Case { 11, 1.0, "+12.0dB" }, Case { 11, 0.25, "-12.0dB" },
                           Case { 11, 0.0, "-Inf." }, Case { 11, 0.4999, "-0.0dB" }, Case { 11, 0.5001, "0.0dB" },
                           Case { 11, 0.5008, "+0.0dB" }, Case { 11, 0.6, "+3.2dB" }, Case { 11, 1e-200, "-Inf." } })
    {
        SCOPED_TRACE (c.x);
        EXPECT_EQ (QuilvernParameterText::getText (c.index, valuesWith (c.index, c.x)), juce::String (c.text));
    }
}

TEST (QuilvernParameterText, NamesNoteRatesWithTheSyncModesMark)
{
    QuilvernDisplayValues values;
    values.noteIndex = { 3, 5 };
    values.syncMode = { 2, 3 };
    EXPECT_EQ (QuilvernParameterText::getText (12, values), juce::String ("1/4."));
    EXPECT_EQ (QuilvernParameterText::getText (14, values), juce::String ("1t"));

    values.syncMode = { 1, -1 };
    values.noteIndex = { 0, 10 };
    EXPECT_EQ (QuilvernParameterText::getText (12, values), juce::String ("1/32"));
    EXPECT_EQ (QuilvernParameterText::getText (14, values), juce::String ("32"));
}

TEST (QuilvernParameterText, LeavesOtherCasesToTheGenericText)
{
    QuilvernDisplayValues values;
    values.noteIndex = { 11, -1 };
    EXPECT_FALSE (QuilvernParameterText::getText (12, values).has_value());
    EXPECT_FALSE (QuilvernParameterText::getText (14, values).has_value());
    EXPECT_FALSE (QuilvernParameterText::getText (16, values).has_value());
    EXPECT_FALSE (QuilvernParameterText::getText (-1, values).has_value());
}

TEST (QuilvernParameterText, ShowsTheFreeRateInEverySyncMode)
{
    for (int mode : { -1, 0, 1, 2, 3 })
    {
        auto values = valuesWith (7, 0.5);
        values.syncMode = { mode, mode };
        EXPECT_EQ (QuilvernParameterText::getText (7, values), juce::String ("0.5Hz"));
    }
}
