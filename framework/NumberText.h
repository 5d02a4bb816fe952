#pragma once

#include <juce_core/juce_core.h>

// Numbers read from and written to text the way parameters, descriptions and
// map files need them. Reading never yields NaN or infinity: "nan", "inf" and
// hexadecimal forms are not numbers here, and magnitudes beyond the type's
// range saturate, so no text can put a non-finite value into a parameter.
class NumberText
{
public:
    // The decimal number at the start of the text (leading blanks, optional
    // sign, digits with an optional point, optional exponent); 0 when there
    // is none; a zero keeps its sign, as in strtod. Independent of the
    // process locale.
    static double readDecimal (const juce::String& text);

    // strtol rules: leading blanks, optional sign, digits; 0 when there are
    // none; saturates at the limits of int.
    static int readInteger (const juce::String& text);

    // Exactly 9 decimals after the point; beyond +-1e20 the "%.9g" form.
    static juce::String formatReal (double value);

    // The printf "%.9g" form. Both formats use "." whatever the process
    // locale, since hosts may switch it.
    static juce::String formatSignificant9 (double value);

    // Finite float nearest to the value (NaN gives 0).
    static float toFiniteFloat (double value) noexcept;

    // Truncates toward zero and saturates at the limits of int (NaN gives 0).
    static int truncateToInt (double value) noexcept;
};
