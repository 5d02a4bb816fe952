#pragma once

#include <juce_core/juce_core.h>

// The names a mistyped one was most likely meant to be, for hints such as
// "closest: ...". Case is ignored throughout.
class ClosestNames
{
public:
    // Up to maxCount distinct candidates, nearest first: those containing
    // the text or contained in it, then those a few typing slips away
    // (insertions, deletions or substitutions, about one per three
    // characters), then those sharing a word of three or more letters with
    // it. Candidates that are none of these are left out.
    static juce::StringArray find (const juce::String& text, const juce::StringArray& candidates, int maxCount = 3);

    // The number of single-character insertions, deletions and
    // substitutions that turn one text into the other.
    static int editDistance (const juce::String& a, const juce::String& b);
};
