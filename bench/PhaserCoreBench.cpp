#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/PhaserCoefficients.h"
#include "engine/QuilvernCore.h"

// Stereo 512-sample blocks at 44.1 kHz through the phaser, on the fast path
// (second argument 0) and on the direct formulas (1); the third argument 1
// keeps the fast path to SSE2 as on CPUs without AVX2. "realtime" is seconds
// of audio processed per second of CPU time.
static void PhaserCore (benchmark::State& state)
{
    constexpr int blockSize = 512;
    constexpr double sampleRate = 44100.0;
    const float stages = state.range (0) == 1 ? 0.0f : 1.0f;

    QuilvernCore core;
    core.setUseDirectFormulas (state.range (1) != 0);
    PhaserCoefficients::allowWideVectors (state.range (2) == 0);
    for (int index = 0; index < QuilvernCore::numParameters; ++index)
        core.applyParameter (index, index == QuilvernCore::lfo1Sync || index == QuilvernCore::lfo2Sync ? 0.0f : 0.5f);
    core.applyParameter (QuilvernCore::stagesNumber, stages);
    core.applyParameter (QuilvernCore::fx, 1.0f);
    core.prepare ((float) sampleRate);

    std::vector<float> source (blockSize * 2), left (blockSize), right (blockSize);
    std::uint32_t seed = 12345u;
    for (auto& sample : source)
    {
        seed = seed * 1664525u + 1013904223u;
        sample = (float) (seed >> 8) / 16777216.0f - 0.5f;
    }

    for (auto _ : state)
    {
        std::copy (source.begin(), source.begin() + blockSize, left.begin());
        std::copy (source.begin() + blockSize, source.end(), right.begin());
        core.processStereo (left.data(), right.data(), blockSize);
        benchmark::DoNotOptimize (left.data());
        benchmark::DoNotOptimize (right.data());
    }

    state.counters["realtime"] = benchmark::Counter ((double) state.iterations() * blockSize / sampleRate,
                                                     benchmark::Counter::kIsRate);
    PhaserCoefficients::allowWideVectors (true);
    state.counters["seconds_per_stereo_sample"] = benchmark::Counter (
        (double) state.iterations() * blockSize, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK (PhaserCore)
    ->ArgNames ({ "sections", "direct", "sse2" })
    ->ArgsProduct ({ { 1, 4 }, { 0, 1 }, { 0 } })
    ->Args ({ 1, 0, 1 })
    ->Args ({ 4, 0, 1 });

BENCHMARK_MAIN();
