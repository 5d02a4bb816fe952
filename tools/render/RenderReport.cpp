#include "tools/render/RenderReport.h"

namespace
{
juce::String levelsText (const SignalLevels& levels)
{
    return "peak " + SignalLevels::toDecibelText (levels.getPeak()) + ", RMS " + SignalLevels::toDecibelText (levels.getRms());
}
} // namespace

juce::String RenderReport::toText() const
{
    const auto seconds = sampleRate > 0.0 ? (double) numSamples / sampleRate : 0.0;

    juce::String text;
    text << "Input:   " << input << "\n"
         << "Preset:  " << preset << "\n"
         << "Output:  " << output.getFullPathName() << " (" << outputFormat << ", "
         << juce::String (seconds, 2) << " s at " << juce::String (sampleRate, 0) << " Hz)\n"
         << "In:      " << levelsText (inputLevels) << "\n"
         << "Out:     " << levelsText (outputLevels) << "\n";

    if (spectrogram != juce::File())
        text << "Picture: " << spectrogram.getFullPathName() << " (spectrograms of the input and the output)\n";

    for (const auto& note : notes)
        text << "Note:    " << note << "\n";

    return text;
}
