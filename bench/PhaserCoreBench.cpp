// The phaser core on stereo 512-sample blocks at 44.1 kHz, every block fresh
// noise (rounds of 16 different blocks), as a host feeds it. Each benchmark
// times one path: the fast path ("path" 0), the direct formulas (1) or the
// fast path kept to SSE2 (2), as on CPUs without AVX2.
//
// PhaserCoreWave: both oscillators on one wave (0 Triangle, 1 Square, 2 Sine,
// 3 Saw rising, 4 Saw falling, 5 Random), every other parameter at 0.5, "FX" 1.
// PhaserCorePresets: every preset of the factory bank; "mean_ns" and
// "worst_ns" over the presets, the label names the costliest.
//
// Times are thread CPU time; the reported Time is per round of 16 blocks
// (of every preset for PhaserCorePresets).
// "ns" is per stereo sample. The fast paths also run a core on the direct
// formulas with the same settings and the same blocks after each round and
// report "vs_direct", their time over the direct formulas' time in the same
// run; for the presets "mean_vs_direct" and "worst_vs_direct" over the presets.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <vector>

#include "bench/CoreRig.h"
#include "bench/ThreadCpuClock.h"
#include "engine/PhaserChunkKernel.h"
#include "tests/support/FactoryBank.h"

namespace
{
constexpr int blockSize = 512;
constexpr int blocksPerRound = 16;
constexpr int roundLength = blockSize * blocksPerRound;
constexpr double sampleRate = 44100.0;
constexpr double tempo = 120.0;

enum Path { fast = 0, direct = 1, sse2 = 2 };

using Values = CoreRig::Values;

// One round of input, made once: uniform noise at -6 dBFS.
const std::vector<float>& noise()
{
    static const std::vector<float> samples = [] {
        std::vector<float> s (2 * roundLength);
        std::uint32_t seed = 12345u;
        for (auto& sample : s)
        {
            seed = seed * 1664525u + 1013904223u;
            sample = (float) (seed >> 8) / 16777216.0f - 0.5f;
        }
        return s;
    }();
    return samples;
}

// A core and its buffers.
class Rig
{
public:
    Rig (const Values& values, bool useDirect) : rig (values, useDirect, sampleRate, tempo), left (roundLength), right (roundLength) {}

    // Thread CPU seconds for one round.
    double runRound()
    {
        const auto& source = noise();
        std::copy (source.begin(), source.begin() + roundLength, left.begin());
        std::copy (source.begin() + roundLength, source.end(), right.begin());
        return ThreadCpuClock::measure ([this] {
            rig.process (left.data(), right.data(), roundLength, blockSize);
            benchmark::DoNotOptimize (left.data());
            benchmark::DoNotOptimize (right.data());
        });
    }

private:
    CoreRig rig;
    std::vector<float> left, right;
};

// The timed path and, for the fast paths, a direct core beside it.
struct Pair
{
    Pair (const Values& values, Path path)
        : measured (values, path == direct), reference (path == direct ? nullptr : std::make_unique<Rig> (values, true))
    {
    }

    Rig measured;
    std::unique_ptr<Rig> reference;
    double measuredSeconds = 0.0, referenceSeconds = 0.0;

    double runRound()
    {
        const double seconds = measured.runRound();
        measuredSeconds += seconds;
        if (reference != nullptr)
            referenceSeconds += reference->runRound();
        return seconds;
    }

    double nsPerSample (benchmark::IterationCount rounds) const { return 1e9 * measuredSeconds / ((double) rounds * roundLength); }
    double ratio() const { return referenceSeconds > 0.0 ? measuredSeconds / referenceSeconds : 0.0; }
};

// Keeps the fast path to SSE2 for the benchmark's lifetime.
struct PathScope
{
    explicit PathScope (Path path) { PhaserChunkKernel::allowAvx2 (path != sse2); }
    ~PathScope() { PhaserChunkKernel::allowAvx2 (true); }
};

Values parameterDefaults()
{
    Values values;
    values.fill (0.5f);
    values[QuilvernCore::lfo1Sync] = values[QuilvernCore::lfo2Sync] = 0.0f;
    values[QuilvernCore::fx] = 1.0f;
    return values;
}
} // namespace

static void PhaserCoreWave (benchmark::State& state)
{
    const auto path = (Path) state.range (2);
    const PathScope scope (path);
    Values values = parameterDefaults();
    values[QuilvernCore::lfo1Wave] = values[QuilvernCore::lfo2Wave] = (float) state.range (0) / 5.0f;
    values[QuilvernCore::stagesNumber] = (float) (state.range (1) - 1) / 3.0f;
    Pair pair (values, path);

    for (auto _ : state)
        state.SetIterationTime (pair.runRound());

    state.counters["ns"] = pair.nsPerSample (state.iterations());
    state.counters["realtime"] = 1e9 / (pair.nsPerSample (state.iterations()) * sampleRate);
    if (path != direct)
        state.counters["vs_direct"] = pair.ratio();
}
BENCHMARK (PhaserCoreWave)
    ->ArgNames ({ "wave", "sections", "path" })
    ->ArgsProduct ({ { 0, 1, 2, 3, 4, 5 }, { 1, 4 }, { fast, direct, sse2 } })
    ->UseManualTime();

static void PhaserCorePresets (benchmark::State& state)
{
    const auto path = (Path) state.range (0);
    const PathScope scope (path);
    const auto bank = FactoryBank::loadFromResources();
    std::vector<std::unique_ptr<Pair>> pairs;
    for (const auto& preset : bank.presets)
    {
        Values values;
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = preset.present[i] ? preset.values[i] : bank.defaults[i];
        pairs.push_back (std::make_unique<Pair> (values, path));
    }
    if (pairs.empty())
    {
        state.SkipWithError ("no factory presets");
        return;
    }

    for (auto _ : state)
    {
        double seconds = 0.0;
        for (auto& pair : pairs)
            seconds += pair->runRound();
        state.SetIterationTime (seconds);
    }

    double meanNs = 0.0, worstNs = 0.0, meanRatio = 0.0, worstRatio = 0.0;
    size_t worst = 0;
    for (size_t i = 0; i < pairs.size(); ++i)
    {
        const double ns = pairs[i]->nsPerSample (state.iterations());
        meanNs += ns / (double) pairs.size();
        meanRatio += pairs[i]->ratio() / (double) pairs.size();
        worstRatio = std::max (worstRatio, pairs[i]->ratio());
        if (ns > worstNs)
            worstNs = ns, worst = i;
    }
    state.counters["mean_ns"] = meanNs;
    state.counters["worst_ns"] = worstNs;
    if (path != direct)
    {
        state.counters["mean_vs_direct"] = meanRatio;
        state.counters["worst_vs_direct"] = worstRatio;
    }
    state.SetLabel ("worst: " + bank.presets[worst].name.toStdString());
}
BENCHMARK (PhaserCorePresets)->ArgName ("path")->Arg (fast)->Arg (direct)->Arg (sse2)->UseManualTime();

#include "JuceBenchmarkMain.h"
