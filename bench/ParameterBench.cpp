// Cost of setting a numeric parameter with one synchronous listener, and
// the heap allocations the set path makes (the "allocs" counter, per set;
// it must be 0).
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include "bench/AllocationCounter.h"
#include "framework/FloatParameter.h"
#include "framework/ParameterManager.h"

namespace
{
struct CountingListener : Parameter::Listener
{
    void parameterChanged (Parameter* p) override { benchmark::DoNotOptimize (sum += p->getValue()); }
    float sum = 0.0f;
};
} // namespace

// The asynchronous notification stays pending (no message loop runs here),
// as it does between two runs of a host's message thread.
static void BM_SetNormalizedValue (benchmark::State& state)
{
    FloatParameter parameter (0, "p", 0.0f, 1.0f, 0.0f);
    CountingListener listener;
    parameter.addListener (&listener);
    parameter.setNormalizedValue (1.0f, true);

    const auto before = AllocationCounter::count.load();
    float x = 0.0f;

    for (auto _ : state)
    {
        parameter.setNormalizedValue (x, true);
        x = x < 0.5f ? 0.75f : 0.25f;
    }

    AllocationCounter::report (state, before);
}
BENCHMARK (BM_SetNormalizedValue);

// The same set through the manager, which takes its read lock.
static void BM_ManagerSetNormalizedValue (benchmark::State& state)
{
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");
    CountingListener listener;
    manager.addListener (3, &listener);
    manager.setNormalizedValue (3, 1.0f);

    const auto before = AllocationCounter::count.load();
    float x = 0.0f;

    for (auto _ : state)
    {
        manager.setNormalizedValue (3, x);
        x = x < 0.5f ? 0.75f : 0.25f;
    }

    AllocationCounter::report (state, before);
}
BENCHMARK (BM_ManagerSetNormalizedValue);

#include "JuceBenchmarkMain.h"
