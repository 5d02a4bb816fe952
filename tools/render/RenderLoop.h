#pragma once

#include "tools/render/InputSignal.h"
#include "tools/render/OutputFile.h"
#include "tools/render/SignalLevels.h"
#include "tools/render/Spectrograms.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

// Runs the input through the processor block by block, as a host renders
// offline: play configuration and prepare, one processBlock call per block
// under the processor's callback lock with the transport moving, then
// release. The output receives every processed block.
class RenderLoop
{
public:
    using Progress = std::function<void (juce::int64 done, juce::int64 total)>;

    // The longest tail rendered after the input, whatever the processor asks.
    static constexpr double maxTailSeconds = 30.0;

    RenderLoop (juce::AudioProcessor& processor, InputSignal& input, OutputFile& output, int blockSize, double tempo);

    // Also feeds every block, as it goes in and as it comes out, to these.
    void analyseInto (Spectrograms* spectrogramsToFill) { spectrograms = spectrogramsToFill; }

    juce::Result run (const Progress& progress);

    juce::int64 getTotalSamples() const;
    const SignalLevels& getInputLevels() const { return inputLevels; }
    const SignalLevels& getOutputLevels() const { return outputLevels; }

private:
    void prepare();
    juce::Result renderBlock (juce::AudioBuffer<float>& buffer, int numSamples);

    juce::AudioProcessor& processor;
    InputSignal& input;
    OutputFile& output;
    int blockSize;
    double tempo;
    SignalLevels inputLevels, outputLevels;
    Spectrograms* spectrograms = nullptr;
    juce::MidiBuffer midi;
};
