// Cost of one control change on the audio thread (table lookup, parameter
// set with the plug-in's kind of synchronous listener, asynchronous
// trigger), and the heap allocations it makes (the "allocs" counter, per
// message; it must be 0).
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include "bench/AllocationCounter.h"
#include "framework/MidiControl.h"

namespace
{
struct Listener : Parameter::Listener
{
    void parameterChanged (Parameter* p) override { benchmark::DoNotOptimize (sum += p->getValue()); }
    float sum = 0.0f;
};
} // namespace

static void BM_HandleControlChange (benchmark::State& state)
{
    ParameterManager parameters;
    parameters.loadFromResource ("parameters.xml");
    MidiControl midi (parameters);
    Listener listener;
    parameters.addListener (3, &listener);
    midi.assign (7, parameters.getParameter (3), true);

    juce::uint8 message[] = { 0xb0, 7, 0 };
    const auto before = AllocationCounter::count.load();

    for (auto _ : state)
    {
        message[2] = (juce::uint8) ((message[2] + 1) & 0x7f);
        midi.handleMidiMessage (message, 3);
    }

    AllocationCounter::report (state, before);
}
BENCHMARK (BM_HandleControlChange);

#include "JuceBenchmarkMain.h"
