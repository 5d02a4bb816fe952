#include <gmock/gmock.h>

#include "framework/NumberText.h"
#include "presets/PresetValueText.h"

#include <clocale>
#include <string>
#include <limits>

TEST (PresetValueText, RoundsToSixDecimalsAndPrintsShortestForm)
{
    const struct { float value; const char* text; } cases[] = {
        { 0.1234567f, "0.123457" },
        { 0.748f, "0.748" },
        { 1.0f, "1" },
        { 0.5f, "0.5" },
        { 0.0f, "0" },
        { 0.333333f, "0.333333" },
        { 0.6666667f, "0.666667" },
        { 0.0000004f, "0" },
        { -0.25f, "-0.25" },
        { 2.5e-6f, "2e-06" },  // 2.5 scaled rounds to the even 2
        { 3.5e-6f, "4e-06" },  // 3.5 scaled rounds to the even 4
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        EXPECT_EQ (PresetValueText::format (c.value), juce::String (c.text));
    }
}

TEST (PresetValueText, RoundingIsStableOverARoundTrip)
{
    for (int i = 0; i <= 1000; ++i)
    {
        const float value = static_cast<float> (i) / 997.0f;
        const auto once = PresetValueText::format (value);
        EXPECT_EQ (PresetValueText::format (once.getFloatValue()), once) << value;
    }
}

// Preset files may hold values far outside 0..1 (they are limited only when
// applied); such values must be written as numbers that read back.
TEST (PresetValueText, ValuesTooLargeToScaleReadBackUnchanged)
{
    for (const float value : { 3.4e32f, 1.0e33f, -2.5e35f, std::numeric_limits<float>::max() })
    {
        const auto text = PresetValueText::format (value);
        EXPECT_EQ (NumberText::toFiniteFloat (NumberText::readDecimal (text)), value) << text;
    }
}

// A preset value is written as it was read, so a saved preset reads back to
// the same file; JUCE alone reads "-0.0" as -0 but "-0" as +0.
TEST (PresetValueText, ZerosReadBackWithTheSignTheyWereWrittenWith)
{
    const struct { const char* text; const char* written; } cases[] = {
        { "-0.0", "-0" },
        { "-0", "-0" },
        { "-.0e5", "-0" },
        { "-1e-9999999999", "-0" },
        { "0", "0" },
        { "+0.000", "0" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        const auto once = PresetValueText::format (NumberText::toFiniteFloat (NumberText::readDecimal (c.text)));
        EXPECT_EQ (once, juce::String (c.written));
        EXPECT_EQ (PresetValueText::format (NumberText::toFiniteFloat (NumberText::readDecimal (once))), once);
    }
}

TEST (PresetValueText, IgnoresTheNumericLocale)
{
    struct LocaleRestorer
    {
        ~LocaleRestorer() { std::setlocale (LC_NUMERIC, saved.c_str()); }
        std::string saved = std::setlocale (LC_NUMERIC, nullptr);
    } restorer;

    // tools/setup.sh generates de_DE.UTF-8.
    const char* switched = nullptr;

    for (const char* locale : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8" })
        if ((switched = std::setlocale (LC_NUMERIC, locale)) != nullptr)
            break;

    ASSERT_NE (switched, nullptr) << "no locale with a decimal comma to switch to (tools/setup.sh makes one)";
    ASSERT_STREQ (std::localeconv()->decimal_point, ",");
    EXPECT_EQ (PresetValueText::format (0.5f), "0.5");
}
