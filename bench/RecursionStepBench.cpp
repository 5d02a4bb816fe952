// One step of the all-pass chain's serial recursion, y = a2 u + t with t
// ready beforehand, as the chunk kernel's two instruction sets form it: a
// multiply then an add (SSE2) and one fused multiply-add (AVX2+FMA). A
// sample's chain is eight such steps in a row (four sections, two passes),
// so this latency, not the number of instructions, bounds the audio stage,
// and the two forms' ratio here is the least the SSE2 kernel can take
// against the AVX2 one on this processor.
#include <benchmark/benchmark.h>
#include <immintrin.h>

namespace
{
constexpr int steps = 1 << 16;

__attribute__ ((noinline)) __m128d multiplyThenAdd (__m128d y, __m128d a2, __m128d t, int count)
{
    for (int i = 0; i < count; ++i)
        y = _mm_add_pd (_mm_mul_pd (a2, y), t);
    return y;
}

__attribute__ ((noinline, target ("avx2,fma"))) __m128d fusedMultiplyAdd (__m128d y, __m128d a2, __m128d t, int count)
{
    for (int i = 0; i < count; ++i)
        y = _mm_fmadd_pd (a2, y, t);
    return y;
}

template <__m128d (*Step) (__m128d, __m128d, __m128d, int)>
void recursionStep (benchmark::State& state)
{
    __m128d y = _mm_set1_pd (0.5);
    for (auto _ : state)
    {
        // a2 = 0.5, t = 0.25 keep y at 0.5, away from the denormal range.
        y = Step (y, _mm_set1_pd (0.5), _mm_set1_pd (0.25), steps);
        benchmark::DoNotOptimize (y);
    }
    state.counters["per_step"] =
        benchmark::Counter (steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void fusedIfAvailable (benchmark::State& state)
{
    __builtin_cpu_init();
    if (! __builtin_cpu_supports ("fma"))
    {
        state.SkipWithError ("no FMA on this processor");
        return;
    }
    recursionStep<fusedMultiplyAdd> (state);
}
} // namespace

BENCHMARK (recursionStep<multiplyThenAdd>)->Name ("RecursionStep/sse2");
BENCHMARK (fusedIfAvailable)->Name ("RecursionStep/avx2");

BENCHMARK_MAIN();
