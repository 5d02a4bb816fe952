#pragma once

// The main function of a benchmark program whose code needs JUCE's message
// manager (parameters, asynchronous updates, the plug-in). Include it in one
// source per program, in place of BENCHMARK_MAIN.
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
