// Cost of one host block through the product (the frame's splitting loop,
// the clocks and the phaser), with and without MIDI controllers and a
// playing transport, or with a program change that applies a preset, and
// the heap allocations it makes (the "allocs" counter, per block; it must
// be 0). The block size is the argument.
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include "bench/AllocationCounter.h"
#include "engine/QuilvernFactory.h"

namespace
{
struct Transport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (120.0);
        info.setPpqPosition (ppq);
        info.setIsPlaying (true);
        return info;
    }

    double ppq = 0.0;
};

enum class Events { none, controllersAndTransport, programChange };

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

    plugin->prepareToPlay (44100.0, blockSize);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::Random random (1);

    for (int i = 0; i < blockSize; ++i)
        buffer.setSample (0, i, random.nextFloat() - 0.5f), buffer.setSample (1, i, random.nextFloat() - 0.5f);

    juce::MidiBuffer midi;
    midi.ensureSize (1024);
    juce::uint8 value = 0;
    const auto before = AllocationCounter::count.load();

    for (auto _ : state)
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

        plugin->processBlock (buffer, midi);
        transport.ppq += blockSize / 22050.0;
        benchmark::DoNotOptimize (buffer.getReadPointer (0)[0]);
    }

    AllocationCounter::report (state, before);
    state.SetItemsProcessed (state.iterations() * blockSize);
    plugin->setPlayHead (nullptr);
}
} // namespace

static void BM_BlockWithoutEvents (benchmark::State& state) { runBlocks (state, Events::none); }
static void BM_BlockWithControllersAndTransport (benchmark::State& state) { runBlocks (state, Events::controllersAndTransport); }
static void BM_BlockWithProgramChange (benchmark::State& state) { runBlocks (state, Events::programChange); }
BENCHMARK (BM_BlockWithoutEvents)->Arg (64)->Arg (512)->Arg (8192);
BENCHMARK (BM_BlockWithControllersAndTransport)->Arg (64)->Arg (512)->Arg (8192);
BENCHMARK (BM_BlockWithProgramChange)->Arg (64)->Arg (512);

#include "JuceBenchmarkMain.h"
