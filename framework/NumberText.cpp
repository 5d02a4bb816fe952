#include "framework/NumberText.h"

#include <cfloat>
#include <climits>
#include <charconv>
#include <cmath>

namespace
{
bool isBlank (char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit (char c) noexcept
{
    return c >= '0' && c <= '9';
}

const char* skipBlanks (const char* p) noexcept
{
    while (isBlank (*p))
        ++p;

    return p;
}

const char* skipSign (const char* p) noexcept
{
    return (*p == '+' || *p == '-') ? p + 1 : p;
}

const char* skipDigits (const char* p) noexcept
{
    while (isDigit (*p))
        ++p;

    return p;
}

// End of the decimal number starting at p, or p itself when there is none.
const char* findDecimalEnd (const char* start) noexcept
{
    const char* p = skipSign (start);
    const char* intEnd = skipDigits (p);
    const char* end = intEnd;
    bool hasDigits = intEnd != p;

    if (*end == '.')
    {
        const char* fracEnd = skipDigits (end + 1);
        hasDigits = hasDigits || fracEnd != end + 1;
        end = fracEnd;
    }

    if (! hasDigits)
        return start;

    if (*end == 'e' || *end == 'E')
    {
        const char* exponentDigits = skipSign (end + 1);
        const char* exponentEnd = skipDigits (exponentDigits);

        if (exponentEnd != exponentDigits)
            end = exponentEnd;
    }

    return end;
}

// The decimal number of [start, end) with its exponent cut to nine digits.
// JUCE's reader overflows an int on an exponent of ten digits or more (and
// may then read 1e9999999999 as 0); nine digits already take every number
// of a file within the size limit beyond the range of double, or to 0.
juce::String withBoundedExponent (const char* start, const char* end)
{
    const char* mark = start;

    while (mark != end && *mark != 'e' && *mark != 'E')
        ++mark;

    if (mark == end)
        return juce::String (start, (size_t) (end - start));

    const char* digits = skipSign (mark + 1);
    long long exponent = 0;

    for (const char* p = digits; p != end; ++p)
        exponent = juce::jmin (exponent * 10 + (*p - '0'), 999999999LL);

    return juce::String (start, (size_t) (digits - start)) + juce::String (exponent);
}
} // namespace

double NumberText::readDecimal (const juce::String& text)
{
    const char* start = skipBlanks (text.toRawUTF8());
    const char* end = findDecimalEnd (start);

    if (end == start)
        return 0.0;

    const auto number = withBoundedExponent (start, end);
    auto chars = number.getCharPointer();
    const double value = juce::CharacterFunctions::readDoubleValue (chars);

    if (std::isnan (value))
        return 0.0;

    // A zero keeps the sign it was written with: JUCE reads "-0.0" as -0 but
    // "-0" as +0, so a -0 written back as "-0" would read back as +0.
    if (value == 0.0)
        return *start == '-' ? -0.0 : 0.0;

    return juce::jlimit (-DBL_MAX, DBL_MAX, value);
}

int NumberText::readInteger (const juce::String& text)
{
    const char* p = skipBlanks (text.toRawUTF8());
    const bool negative = *p == '-';
    p = skipSign (p);

    long long magnitude = 0;

    for (; isDigit (*p); ++p)
        magnitude = juce::jmin (magnitude * 10 + (*p - '0'), (long long) INT_MAX + 1);

    const long long value = negative ? -magnitude : magnitude;
    return (int) juce::jlimit ((long long) INT_MIN, (long long) INT_MAX, value);
}

namespace
{
juce::String formatWith (double value, std::chars_format format)
{
    char buffer[64];
    const auto result = std::to_chars (buffer, buffer + sizeof (buffer), value, format, 9);

    if (result.ec != std::errc())
        return {};

    return juce::String (buffer, (size_t) (result.ptr - buffer));
}
} // namespace

juce::String NumberText::formatReal (double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0.000000000"

    if (std::abs (value) > 1e20 || ! std::isfinite (value))
        return formatSignificant9 (value);

    return formatWith (value, std::chars_format::fixed);
}

juce::String NumberText::formatSignificant9 (double value)
{
    return formatWith (value, std::chars_format::general);
}

float NumberText::toFiniteFloat (double value) noexcept
{
    if (std::isnan (value))
        return 0.0f;

    return (float) juce::jlimit ((double) -FLT_MAX, (double) FLT_MAX, value);
}

int NumberText::truncateToInt (double value) noexcept
{
    if (std::isnan (value))
        return 0;

    return (int) juce::jlimit ((double) INT_MIN, (double) INT_MAX, std::trunc (value));
}
