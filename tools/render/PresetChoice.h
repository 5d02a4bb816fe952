#pragma once

#include "tools/render/RenderOptions.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The preset options of the renderer (--preset, --preset-file,
// --bank-file, --list-presets): applies them to the processor before
// rendering, or lists the bank. This is the one place that knows about the
// preset bank.
class PresetChoice
{
public:
    // Fails with a message for the user; on success `description` names the
    // preset the render uses.
    static juce::Result apply (const RenderOptions& options, juce::AudioProcessor& processor, juce::String& description);

    // Every preset of the processor's bank, one a line: number, group, name.
    static juce::String listBank (juce::AudioProcessor& processor);
};
