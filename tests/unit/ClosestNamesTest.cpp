#include "tools/render/ClosestNames.h"

#include <gmock/gmock.h>

TEST (ClosestNames, FindsLikelyMeaningsNearestFirst)
{
    const juce::StringArray names { "Classic Swirl", "Jet Flyby", "Rotary Fast", "Rotary Slow", "Preset", "Preset", "", "Glacier" };

    struct Case
    {
        const char* typed;
        juce::StringArray expected;
    };

    const Case cases[] = {
        { "classic swirl", { "Classic Swirl" } },          // case only
        { "Jet Flyb", { "Jet Flyby" } },                   // a part of it
        { "Glaicer", { "Glacier" } },                      // two slips
        { "Rotary", { "Rotary Fast", "Rotary Slow" } },    // both contain it
        { "Swirl Classic", { "Classic Swirl" } },          // a shared word
        { "preset", { "Preset" } },                        // once, though twice in the bank
        { "Xylophone", {} },
        { "  ", {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (ClosestNames::find (c.typed, names), c.expected) << c.typed;

    EXPECT_EQ (ClosestNames::find ("Rotary", names, 1), juce::StringArray { "Rotary Fast" });
}

TEST (ClosestNames, CountsInsertionsDeletionsAndSubstitutions)
{
    EXPECT_EQ (ClosestNames::editDistance ("", ""), 0);
    EXPECT_EQ (ClosestNames::editDistance ("abc", ""), 3);
    EXPECT_EQ (ClosestNames::editDistance ("kitten", "sitting"), 3);
    EXPECT_EQ (ClosestNames::editDistance ("swirl", "swril"), 2);
}
