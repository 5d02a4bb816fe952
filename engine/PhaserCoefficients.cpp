// The four-lane forms are only ever inlined into AVX2 code; the warning about
// passing AVX vectors by value without AVX concerns out-of-line calls.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "engine/PhaserCoefficients.h"

#include <atomic>

#include "engine/OscillatorWave.h"

namespace
{
using Pair = SimdMath::Vec;
typedef double Quad __attribute__ ((vector_size (32)));

std::atomic<bool> wideVectorsAllowed { true };

bool cpuHasAvx2AndFma() noexcept
{
    __builtin_cpu_init();
    return __builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma");
}

template <typename V>
__attribute__ ((always_inline)) inline void store (const PhaserCoefficients::Values<V>& v, PhaserCoefficients::Run& run, int i)
{
    *reinterpret_cast<V*> (run.set1a1 + i) = v.set1a1;
    *reinterpret_cast<V*> (run.set1a2 + i) = v.set1a2;
    *reinterpret_cast<V*> (run.set2a1 + i) = v.set2a1;
    *reinterpret_cast<V*> (run.set2a2 + i) = v.set2a2;
    *reinterpret_cast<V*> (run.hfScale + i) = v.hfScale;
}

template <bool Wide>
void computePairs (const PhaserCoefficients& c, const double* modulation, int count, PhaserCoefficients::Run& run)
{
    for (int i = 0; i < count; i += 2)
        store (c.evaluate<Wide> (*reinterpret_cast<const Pair*> (modulation + i)), run, i);
}

template <bool Wide>
__attribute__ ((target ("avx2,fma"))) void computeQuads (const PhaserCoefficients& c, const double* modulation, int count,
                                                         PhaserCoefficients::Run& run)
{
    for (int i = 0; i < count; i += 4)
        store (c.evaluate<Wide> (*reinterpret_cast<const Quad*> (modulation + i)), run, i);
}
} // namespace

PhaserCoefficients::PhaserCoefficients (const PhaserState& s, const PhaserTargets& t) noexcept
{
    // 2 pi p = 2 pi (scale w + base) srFactor / (2 sampleRate), w = m * shape(m).
    const double angleScale = OscillatorWave::twoPi * s.srFactor / (2.0 * s.sampleRate);
    angleBase = angleScale * t.frequencyBase;
    for (int k = 0; k < slopeTerms; ++k)
        angleSlope[k] = angleScale * t.frequencyScale * PhaserCoefficientTerms::shape[k];
    sevenFeedbackTarget = 7.0 * t.values[PhaserState::feedback];
    wide = needsWideSeries (s);
}

bool PhaserCoefficients::needsWideSeries (const PhaserState& s) noexcept
{
    // The highest frequency of any section count is 800 Hz times srFactor.
    return OscillatorWave::twoPi * 800.0 * s.srFactor / (2.0 * s.sampleRate) > 0.0625;
}

void PhaserCoefficients::compute (const double* modulation, int count, Run& run) const noexcept
{
    static const bool quads = cpuHasAvx2AndFma();
    const bool useQuads = quads && wideVectorsAllowed.load (std::memory_order_relaxed);
    if (useQuads)
        wide ? computeQuads<true> (*this, modulation, count, run) : computeQuads<false> (*this, modulation, count, run);
    else
        wide ? computePairs<true> (*this, modulation, count, run) : computePairs<false> (*this, modulation, count, run);
}

void PhaserCoefficients::allowWideVectors (bool allow) noexcept
{
    wideVectorsAllowed.store (allow, std::memory_order_relaxed);
}
