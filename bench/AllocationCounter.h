#pragma once

// Counts every heap allocation of the benchmark program (include it in one
// source per program: it replaces the global operator new).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace AllocationCounter
{
inline std::atomic<long long> count { 0 };

// Reports the allocations made since `before` as "allocs" per iteration.
inline void report (benchmark::State& state, long long before)
{
    state.counters["allocs"] = benchmark::Counter ((double) (count.load() - before), benchmark::Counter::kAvgIterations);
}
} // namespace AllocationCounter

void* operator new (std::size_t size)
{
    AllocationCounter::count.fetch_add (1, std::memory_order_relaxed);

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void operator delete (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
