// How long a lookup of an embedded resource by file-style name takes.
#include <benchmark/benchmark.h>

#include "framework/EmbeddedResources.h"

static void BM_LoadResourceText (benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize (EmbeddedResources::loadResourceText ("Parameters.XML"));
}
BENCHMARK (BM_LoadResourceText);

BENCHMARK_MAIN();
