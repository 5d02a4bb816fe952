// The product's editor: one 25 ms update while audio runs (meters and lights
// move), with the repaint it asks for painted into an image as a window would;
// and creating the product with its editor through the editor's first paint,
// at 1x and at 2x (the argument is the scale in tenths), where the first
// paint decodes the 2x images.
#include "bench/JuceBenchmarkMain.h"
#include "engine/QuilvernFactory.h"
#include "gui/editor/QuilvernEditor.h"
#include "tests/support/RepaintRecorder.h"

#include <cmath>
#include <vector>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;
// About 25 ms of audio between two updates.
constexpr int blocksPerTick = 2;

// Blocks of a sine whose level rises and falls over 16 steps, so that the
// meters move from one update to the next.
std::vector<juce::AudioBuffer<float>> makeBlocks()
{
    std::vector<juce::AudioBuffer<float>> blocks;

    for (int step = 0; step < 16; ++step)
    {
        const float level = 0.05f + 0.95f * (float) std::abs (std::sin (step * juce::MathConstants<double>::pi / 16.0));
        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample (channel, i, level * std::sin (0.05f * (float) (i + channel * 7)));

        blocks.push_back (buffer);
    }

    return blocks;
}

void paintWhole (juce::Component& editor, float scale = 1.0f)
{
    juce::Image image (juce::Image::ARGB, juce::roundToInt ((float) editor.getWidth() * scale),
                       juce::roundToInt ((float) editor.getHeight() * scale), true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (scale));
    editor.paintEntireComponent (g, true);
}
} // namespace

static void BM_UpdateTickWithMovingMeters (benchmark::State& state)
{
    auto plugin = createQuilvern (juce::File());
    auto& editor = *dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent());
    RepaintRecorder window (editor);
    juce::Image image (juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true);
    window.paintDirtyRegion (image);

    plugin->prepareToPlay (sampleRate, blockSize);
    const auto blocks = makeBlocks();
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    size_t next = 0;
    double pixels = 0.0, ticks = 0.0;

    for (auto _ : state)
    {
        state.PauseTiming();

        for (int b = 0; b < blocksPerTick; ++b)
        {
            buffer.makeCopyOf (blocks[next++ % blocks.size()], true);
            plugin->processBlock (buffer, midi);
        }

        state.ResumeTiming();
        editor.updateDisplay();
        pixels += window.paintDirtyRegion (image);
        ticks += 1.0;
    }

    state.counters["pixels painted per update"] = pixels / juce::jmax (1.0, ticks);
    plugin->releaseResources();
}
BENCHMARK (BM_UpdateTickWithMovingMeters)->Unit (benchmark::kMicrosecond);

// The first instance of a process decodes the face's images.
static void BM_CreateFirstProductThroughFirstPaint (benchmark::State& state)
{
    for (auto _ : state)
    {
        auto plugin = createQuilvern (juce::File());
        paintWhole (*plugin->getEditorComponent(), (float) state.range (0) / 10.0f);

        state.PauseTiming();
        plugin.reset();
        juce::ImageCache::releaseUnusedImages();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_CreateFirstProductThroughFirstPaint)->Arg (10)->Arg (20)->Unit (benchmark::kMillisecond);

// Further instances find the images in JUCE's cache while one is open.
static void BM_CreateFurtherProductThroughFirstPaint (benchmark::State& state)
{
    auto first = createQuilvern (juce::File());

    for (auto _ : state)
    {
        auto plugin = createQuilvern (juce::File());
        paintWhole (*plugin->getEditorComponent());

        state.PauseTiming();
        plugin.reset();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_CreateFurtherProductThroughFirstPaint)->Unit (benchmark::kMillisecond);
