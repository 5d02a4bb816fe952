#pragma once

#include "framework/IntParameter.h"

#include <optional>

// A MIDI note number 0..127, shown as a three-character note name: letter,
// "-" or "#", octave "0".."9" or "X" (C-0 is 0, C-5 is 60, G-X is 127).
class NoteParameter : public IntParameter
{
public:
    NoteParameter (int index, const juce::String& name, int initialValue = 0);

    std::unique_ptr<Parameter> clone() const override;

    juce::String getText() const override;
    // A note name sets its note; other text is read as a normalised number.
    void setText (const juce::String& text, bool notify) override;

    static juce::String getNoteName (int noteNumber);
    // The note number of a note name, limited to 0..127; nothing for text
    // that is not a note name (upper-case letters only).
    static std::optional<int> readNoteName (const juce::String& text);
};
