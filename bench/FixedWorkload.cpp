// A fixed amount of audio, stereo 512-sample blocks of fresh noise at
// 44.1 kHz, through the product or the phaser core alone, for counting
// instructions: on a shared machine timings wander, instruction counts do not.
//
//   valgrind --tool=callgrind --toggle-collect='*processMeasuredBlock*' \
//       build/bench/FixedWorkload product|core [wave 0-5] [sections 1-4] [sse2|direct]
//
// The core runs at the settings of PhaserCoreWave, on the fast path (kept to
// SSE2 with "sse2") or the direct formulas ("direct"); the product as it
// starts, on its default preset. After a warm-up (the parameter followers
// settle) only the blocks processed through processMeasuredBlock are counted;
// the program prints how many stereo samples that was, so the collected count
// divided by it is per stereo sample.
// valgrind cannot run AVX-512 code; the fast path uses AVX2 at most.
#include <juce_events/juce_events.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/CoreRig.h"
#include "engine/PhaserChunkKernel.h"
#include "engine/QuilvernFactory.h"

namespace
{
constexpr int blockSize = 512;
constexpr int warmUpBlocks = 200;
constexpr int measuredBlocks = 200;
constexpr double sampleRate = 44100.0;

using Process = std::function<void (float*, float*)>;

class Noise
{
public:
    Noise() : left (blockSize), right (blockSize) {}

    void fill()
    {
        for (int i = 0; i < blockSize; ++i)
            left[(size_t) i] = next(), right[(size_t) i] = next();
    }

    std::vector<float> left, right;

private:
    float next()
    {
        seed = seed * 1664525u + 1013904223u;
        return (float) (seed >> 8) / 16777216.0f - 0.5f;
    }

    std::uint32_t seed = 12345u;
};

__attribute__ ((noinline)) void processMeasuredBlock (const Process& process, Noise& noise)
{
    process (noise.left.data(), noise.right.data());
}

void run (const Process& process)
{
    Noise noise;
    for (int b = 0; b < warmUpBlocks; ++b)
    {
        noise.fill();
        process (noise.left.data(), noise.right.data());
    }
    for (int b = 0; b < measuredBlocks; ++b)
    {
        noise.fill();
        processMeasuredBlock (process, noise);
    }
    std::printf ("stereo samples measured: %d\n", measuredBlocks * blockSize);
}

CoreRig::Values coreValues (int wave, int sections)
{
    CoreRig::Values values;
    values.fill (0.5f);
    values[QuilvernCore::lfo1Sync] = values[QuilvernCore::lfo2Sync] = 0.0f;
    values[QuilvernCore::fx] = 1.0f;
    values[QuilvernCore::lfo1Wave] = values[QuilvernCore::lfo2Wave] = (float) wave / 5.0f;
    values[QuilvernCore::stagesNumber] = (float) (sections - 1) / 3.0f;
    return values;
}
} // namespace

int main (int argc, char** argv)
{
    const bool product = argc > 1 && std::strcmp (argv[1], "product") == 0;
    const int wave = argc > 2 ? std::atoi (argv[2]) : 2;
    const int sections = argc > 3 ? std::atoi (argv[3]) : 4;
    const char* path = argc > 4 ? argv[4] : "";
    PhaserChunkKernel::allowAvx2 (std::strcmp (path, "sse2") != 0);

    if (product)
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        auto plugin = createQuilvern (juce::File());
        plugin->prepareToPlay (sampleRate, blockSize);
        juce::MidiBuffer midi;
        run ([&] (float* left, float* right) {
            float* channels[] = { left, right };
            juce::AudioBuffer<float> buffer (channels, 2, blockSize);
            plugin->processBlock (buffer, midi);
        });
        return 0;
    }

    CoreRig core (coreValues (wave, sections), std::strcmp (path, "direct") == 0, sampleRate, 0.0);
    run ([&] (float* left, float* right) { core.process (left, right, blockSize, blockSize); });
    return 0;
}
