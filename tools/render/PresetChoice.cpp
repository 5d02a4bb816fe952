#include "tools/render/PresetChoice.h"

namespace
{
juce::Result notAvailableYet (const juce::String& option)
{
    return juce::Result::fail (option + " is not available yet: this build of Quilvern has no preset bank");
}
} // namespace

juce::Result PresetChoice::apply (const RenderOptions& options, juce::AudioProcessor&, juce::String& description)
{
    // The bank file first, then a preset from it or from a preset file.
    if (options.bankFile)
        return notAvailableYet ("--bank-file");

    if (options.presetFile)
        return notAvailableYet ("--preset-file");

    if (options.preset)
        return notAvailableYet ("--preset");

    description = "the plug-in's start-up settings";
    return juce::Result::ok();
}
