// Cost of host blocks through the product (the frame's splitting loop, the
// clocks and the phaser), with and without MIDI controllers and a playing
// transport, or with a program change that applies a preset, and the heap
// allocations it makes (the "allocs" counter, per block; it must be 0). The
// block size is the argument.
//
// Every block is fresh noise, as a host's next block is new audio: rounds of
// at least 8192 samples are copied in before they are timed. Times are thread
// CPU time; the reported Time is per round. "ns" is per stereo sample.
// "vs_core" is the product's time over that of the phaser core alone at the
// same settings on the same blocks, measured after each round in the same run.
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include <vector>

#include "bench/AllocationCounter.h"
#include "bench/CoreRig.h"
#include "bench/ThreadCpuClock.h"
#include "engine/QuilvernFactory.h"

namespace
{
constexpr double sampleRate = 44100.0;
constexpr double tempo = 120.0;

struct Transport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (tempo);
        info.setPpqPosition (ppq);
        info.setIsPlaying (true);
        return info;
    }

    double ppq = 0.0;
};

enum class Events { none, controllersAndTransport, programChange };

// Host blocks over one round of noise; refill() restores the noise.
class Round
{
public:
    explicit Round (int blockSize)
        : blockSize (blockSize), numBlocks (std::max (1, 8192 / blockSize)), length (blockSize * numBlocks),
          noise (2, length), work (2, length)
    {
        juce::Random random (1);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < length; ++i)
                noise.setSample (channel, i, random.nextFloat() - 0.5f);
        for (int b = 0; b < numBlocks; ++b)
            blocks.emplace_back (work.getArrayOfWritePointers(), 2, b * blockSize, blockSize);
    }

    void refill()
    {
        for (int channel = 0; channel < 2; ++channel)
            work.copyFrom (channel, 0, noise, channel, 0, length);
    }

    const int blockSize, numBlocks, length;
    juce::AudioBuffer<float> noise, work;
    std::vector<juce::AudioBuffer<float>> blocks;
};

CoreRig::Values valuesOf (Quilvern& plugin)
{
    CoreRig::Values values;
    for (int index = 0; index < QuilvernCore::numParameters; ++index)
        values[(size_t) index] = plugin.getParameterManager().getParameter (index)->getNormalizedValue();
    return values;
}

void runBlocks (benchmark::State& state, Events events)
{
    const bool withEventsAndTransport = events == Events::controllersAndTransport;
    const int blockSize = (int) state.range (0);
    auto plugin = createQuilvern (juce::File());
    plugin->getMidiControl().assign (7, plugin->getParameterManager().getParameter (1), false);
    // Both oscillators synchronised, so clock edges split the blocks.
    plugin->getParameterManager().setNormalizedValue (13, 1.0f);
    plugin->getParameterManager().setNormalizedValue (15, 1.0f);
    Transport transport;

    if (withEventsAndTransport)
        plugin->setPlayHead (&transport);

    plugin->prepareToPlay (sampleRate, blockSize);
    CoreRig core (valuesOf (*plugin), false, sampleRate, withEventsAndTransport ? tempo : 0.0);
    Round round (blockSize);

    juce::MidiBuffer midi;
    midi.ensureSize (1024);
    juce::uint8 value = 0;
    double pluginSeconds = 0.0, coreSeconds = 0.0;
    const auto before = AllocationCounter::count.load();

    for (auto _ : state)
    {
        round.refill();
        const double seconds = ThreadCpuClock::measure ([&] {
            for (auto& block : round.blocks)
            {
                midi.clear();

                if (withEventsAndTransport)
                    for (int e = 0; e < 4; ++e)
                    {
                        const juce::uint8 message[] = { 0xb0, 7, (juce::uint8) (value++ & 0x7f) };
                        midi.addEvent (message, 3, (e * blockSize) / 4 + 1);
                    }

                // Alternating presets, so that every change sets parameters.
                if (events == Events::programChange)
                    midi.addEvent (juce::MidiMessage::programChange (1, value++ & 1), 0);

                plugin->processBlock (block, midi);
                transport.ppq += blockSize * tempo / (60.0 * sampleRate);
            }
        });
        benchmark::DoNotOptimize (round.work.getReadPointer (0)[0]);
        state.SetIterationTime (seconds);
        pluginSeconds += seconds;

        round.refill();
        coreSeconds += ThreadCpuClock::measure ([&] {
            core.process (round.work.getWritePointer (0), round.work.getWritePointer (1), round.length, blockSize);
        });
        benchmark::DoNotOptimize (round.work.getReadPointer (0)[0]);
    }

    state.counters["allocs"] = benchmark::Counter ((double) (AllocationCounter::count.load() - before)
                                                   / ((double) state.iterations() * round.numBlocks));
    state.counters["ns"] = 1e9 * pluginSeconds / ((double) state.iterations() * round.length);
    state.counters["vs_core"] = coreSeconds > 0.0 ? pluginSeconds / coreSeconds : 0.0;
    plugin->setPlayHead (nullptr);
}
} // namespace

static void BM_BlockWithoutEvents (benchmark::State& state) { runBlocks (state, Events::none); }
static void BM_BlockWithControllersAndTransport (benchmark::State& state) { runBlocks (state, Events::controllersAndTransport); }
static void BM_BlockWithProgramChange (benchmark::State& state) { runBlocks (state, Events::programChange); }
BENCHMARK (BM_BlockWithoutEvents)->Arg (64)->Arg (512)->Arg (8192)->UseManualTime();
BENCHMARK (BM_BlockWithControllersAndTransport)->Arg (64)->Arg (512)->Arg (8192)->UseManualTime();
BENCHMARK (BM_BlockWithProgramChange)->Arg (64)->Arg (512)->UseManualTime();

#include "JuceBenchmarkMain.h"
