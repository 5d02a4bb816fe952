#include <gmock/gmock.h>

#include "framework/NumberText.h"

#include <cfloat>

// Exponents of any length saturate (or reach 0) instead of wrapping around.
TEST (NumberText, ReadsDecimalsWithExponentsOfAnyLength)
{
    const struct { const char* text; double value; } cases[] = {
        { "1e9999999999", DBL_MAX },
        { "1e2147483648", DBL_MAX },  // wrapped round to a negative exponent before
        { "1e4294967296", DBL_MAX },  // and to none at all
        { "-2.5E+99999999999999999999", -DBL_MAX },
        { "1e-9999999999", 0.0 },
        { "1e00000000000000000002", 100.0 },
        { "0.000000000000000000000000000001e9999999999", DBL_MAX },
        { "1.5e3x", 1500.0 },
        { "7e", 7.0 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (NumberText::readDecimal (c.text), c.value) << c.text;
}
