#pragma once

#include "tools/render/RenderLoop.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/RenderReport.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// One run of quilvern-render: creates the processor, applies the preset
// and parameter options, renders the input into the output file and fills
// the report, and draws the spectrograms when asked. Fails with a message
// for the user and then leaves no output file behind.
class RenderJob
{
public:
    explicit RenderJob (const RenderOptions& options);
    ~RenderJob();

    // The processor with the preset and parameter options applied.
    juce::Result setUpProcessor();
    juce::AudioProcessor* getProcessor() const { return processor.get(); }

    juce::Result render (const RenderLoop::Progress& progress = {});

    const RenderReport& getReport() const { return report; }

    // Where the output goes when no --output is given.
    static juce::File defaultOutputFor (const RenderOptions& options);

private:
    juce::Result openInput();
    juce::Result chooseOutput (juce::File& target, juce::String& format) const;
    void describeInput();
    juce::Result writeSpectrogram (Spectrograms& spectrograms);

    const RenderOptions& options;
    std::unique_ptr<juce::AudioProcessor> processor;
    std::unique_ptr<InputSignal> input;
    RenderReport report;
};
