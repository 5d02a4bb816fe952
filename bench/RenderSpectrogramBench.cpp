// What the spectrogram picture adds to a render of quilvern-render: whole
// renders of the demo signal (8 s) and of a minute of it from a file, with
// and without --spectrogram, so the ratio comes from one run. Arguments:
// seconds of input, and 1 with the picture.
#include "bench/JuceBenchmarkMain.h"
#include "tools/render/DemoSignal.h"
#include "tools/render/RenderJob.h"

#include <juce_audio_formats/juce_audio_formats.h>

namespace
{
const juce::File& folder()
{
    static const juce::TemporaryFile temporary ("quilvern-render-bench");
    static const bool created = temporary.getFile().createDirectory();
    juce::ignoreUnused (created);
    return temporary.getFile();
}

// A minute of the demo signal, written once as a 24-bit WAV file.
juce::File minuteOfDemo()
{
    const auto file = folder().getChildFile ("minute.wav");

    if (file.existsAsFile())
        return file;

    const auto demo = DemoSignal::create();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (file.createOutputStream().release(), DemoSignal::sampleRate, 2, 24, {}, 0));

    for (int written = 0; writer != nullptr && written < 60 * (int) DemoSignal::sampleRate; written += demo.getNumSamples())
        writer->writeFromAudioSampleBuffer (demo, 0, juce::jmin (demo.getNumSamples(), 60 * (int) DemoSignal::sampleRate - written));

    return file;
}

void BM_Render (benchmark::State& state)
{
    RenderOptions options;

    if (state.range (0) > (int) DemoSignal::seconds)
        options.input = minuteOfDemo();

    options.output = folder().getChildFile ("out.wav");

    if (state.range (1) != 0)
        options.spectrogram = folder().getChildFile ("out.png");

    for (auto _ : state)
    {
        RenderJob job (options);

        if (job.render().failed())
            state.SkipWithError ("the render failed");
    }
}
} // namespace

BENCHMARK (BM_Render)->ArgsProduct ({ { 8, 60 }, { 0, 1 } })->Unit (benchmark::kMillisecond)->Iterations (3);
