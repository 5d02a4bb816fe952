#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The processor's parameters as a VST 2.4 host reaches them: by index, with
// names and display texts, set as normalised values from 0 to 1.
class HostParameters
{
public:
    explicit HostParameters (juce::AudioProcessor& processor);

    int size() const;
    juce::String getName (int index) const;
    juce::String getText (int index) const;
    float getValue (int index) const;

    // The index of the parameter with this name (exactly, or else without
    // regard to case when that matches only one); -1 when there is none.
    int find (const juce::String& name) const;

    // Sets a parameter by name from text such as "0.8".
    juce::Result set (const juce::String& name, const juce::String& valueText);

    juce::String describeAll() const;

private:
    juce::AudioProcessor& processor;
};
