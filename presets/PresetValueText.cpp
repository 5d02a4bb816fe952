#include "presets/PresetValueText.h"

#include <charconv>
#include <cmath>

double PresetValueText::roundToSixDecimals (float value) noexcept
{
    const float scaled = value * 1000000.0f;

    // Values beyond about 3.4e32 overflow when scaled; they have no decimals
    // to round, and rounding would write them as "inf", which reads back as 0.
    if (! std::isfinite (scaled))
        return static_cast<double> (value);

    // nearbyint rounds ties to even in the default rounding mode, and keeps
    // values far beyond the integer range intact instead of overflowing.
    return static_cast<double> (std::nearbyint (scaled)) * 0.000001;
}

juce::String PresetValueText::format (float value)
{
    char text[32] {};
    const auto result = std::to_chars (std::begin (text), std::end (text) - 1,
                                       roundToSixDecimals (value), std::chars_format::general, 9);
    return juce::String (text, static_cast<size_t> (result.ptr - text));
}
