#include "framework/NoteParameter.h"

#include "framework/NumberText.h"

NoteParameter::NoteParameter (int parameterIndex, const juce::String& parameterName, int initialValue)
    : IntParameter (parameterIndex, parameterName, 0, 127, initialValue)
{
}

std::unique_ptr<Parameter> NoteParameter::clone() const
{
    return withFlagsOf (std::make_unique<NoteParameter> (getIndex(), getName(), getIntValue()));
}

juce::String NoteParameter::getText() const
{
    return getNoteName (getIntValue());
}

void NoteParameter::setText (const juce::String& text, bool notify)
{
    if (const auto note = readNoteName (text))
        setIntValue (*note, notify);
    else
        setNormalizedValue ((float) NumberText::readDecimal (text), notify);
}

juce::String NoteParameter::getNoteName (int noteNumber)
{
    static const char* const names[] = { "C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-" };

    const int note = juce::jlimit (0, 127, noteNumber);
    const int octave = note / 12;
    return juce::String (names[note % 12]) + (octave == 10 ? juce::String ("X") : juce::String (octave));
}

std::optional<int> NoteParameter::readNoteName (const juce::String& text)
{
    if (text.length() != 3)
        return std::nullopt;

    const auto letter = text[0], sign = text[1], octaveChar = text[2];
    static const juce::String letters ("CDEFGAB");
    static const int positions[] = { 0, 2, 4, 5, 7, 9, 11 };
    const int letterIndex = letters.indexOfChar (letter);

    if (letterIndex < 0 || (sign != '-' && sign != '#'))
        return std::nullopt;

    if (! ((octaveChar >= '0' && octaveChar <= '9') || octaveChar == 'X'))
        return std::nullopt;

    const int octave = octaveChar == 'X' ? 10 : (int) (octaveChar - '0');
    int position = positions[letterIndex];

    // A sharp E or B stays on its own note.
    if (sign == '#' && letter != 'E' && letter != 'B')
        ++position;

    return juce::jmin (127, 12 * octave + position);
}
