#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

// Everything one run of the renderer is asked to do.
struct RenderOptions
{
    static constexpr int minBlockSize = 1;
    static constexpr int maxBlockSize = 8192;

    juce::File input;  // none: the built-in demo signal
    juce::File output; // none: derived from the input's name
    juce::String format; // "wav", "aiff" or "flac"; empty: from the output's extension
    int bitDepth = 24;
    int blockSize = 512;
    double tempo = 120.0;

    std::vector<std::pair<juce::String, juce::String>> parameterSettings; // name, value as typed

    std::optional<juce::String> preset; // number or name
    std::optional<juce::File> presetFile;
    std::optional<juce::File> bankFile;

    std::optional<juce::File> spectrogram; // a PNG picture of the input and output

    bool listParameters = false;
    bool listPresets = false;
    bool showHelp = false;
    bool showVersion = false;

    bool usesDemoSignal() const { return input == juce::File(); }
};
