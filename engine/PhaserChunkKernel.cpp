// The AVX2 forms pass four-lane vectors only between functions that are
// always inlined into code compiled for AVX2.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "engine/PhaserChunkKernel.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <type_traits>

#include "engine/OscillatorWave.h"
#include "engine/OscillatorWaveSimd.h"
#include "engine/PhaserCoefficients.h"
#include "engine/SimdMath.h"

namespace
{
using PhaserChunkKernel::chunkLength;
using PhaserChunkKernel::Job;
using PhaserLanes::Lanes;
using SimdMath::Quad;
using SimdMath::splat;
using SimdMath::Vec;

std::atomic<bool> avx2Allowed { true };

bool cpuHasAvx2AndFma() noexcept
{
    __builtin_cpu_init();
    return __builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma");
}

// What one chunk's audio takes from its modulation, per sample as [left,
// right]: both coefficient sets and the high-frequency feed's scale; while
// the followers still move, also their values for the audio. Then the
// outputs, from which the level and meter follow.
struct alignas (32) Controls
{
    double set1a1[2 * chunkLength], set1a2[2 * chunkLength], set2a1[2 * chunkLength], set2a2[2 * chunkLength];
    double hfScale[2 * chunkLength], modulation[2 * chunkLength + 2];
    double feedback[2 * chunkLength], wetMix[2 * chunkLength], dryMix[2 * chunkLength], gain[2 * chunkLength];
    double outputs[2 * chunkLength];
};

// One chunk of a run: where its samples are, how many, and how far each
// follower still is from where it settles.
struct Chunk
{
    float* left;
    float* right;
    int length;
    double distance[PhaserState::numFollowers];
};

// The nine followers over a chunk, settled + distance (1 - kParam)^(j + 1) at
// its sample j, as both-lane broadcasts (the stereo offset in the right lane
// only); once they have settled, the settled values themselves.
template <bool Settled>
class Followers
{
public:
    __attribute__ ((always_inline)) Followers (const Job& job, const Chunk& chunk) : decay (job.followerDecay)
    {
        for (int i = 0; i < PhaserState::numFollowers; ++i)
        {
            settled[i] = splat (job.settled[i]);
            away[i] = splat (chunk.distance[i]);
        }
        settled[PhaserState::stereoOffset] = rightOnly (settled[PhaserState::stereoOffset]);
        away[PhaserState::stereoOffset] = rightOnly (away[PhaserState::stereoOffset]);
    }

    __attribute__ ((always_inline)) Vec at (int index, int j) const
    {
        if constexpr (Settled)
            return settled[index];
        else
            return settled[index] + away[index] * decay[j + 1];
    }

private:
    static Vec rightOnly (Vec v) { return _mm_unpackhi_pd (_mm_setzero_pd(), v); }

    const Vec* decay;
    Vec settled[PhaserState::numFollowers], away[PhaserState::numFollowers];
};

// Non-finite samples count as silence and are replaced in the buffer.
__attribute__ ((always_inline)) inline void zeroNonFinite (float* samples, int count)
{
    int j = 0;
    for (; j + 4 <= count; j += 4)
    {
        const __m128 v = _mm_loadu_ps (samples + j);
        const __m128 finite = _mm_cmpeq_ps (_mm_sub_ps (v, v), _mm_setzero_ps());
        _mm_storeu_ps (samples + j, _mm_and_ps (v, finite));
    }
    for (; j < count; ++j)
        if (samples[j] - samples[j] != 0.0f)
            samples[j] = 0.0f;
}

// Steps the random generators of the lanes in `wraps` (bit 2 osc + channel)
// into their held values. Once per oscillator cycle, but inline all the same:
// a call would make the compiler keep the loop's state in memory around it.
template <typename V>
__attribute__ ((always_inline)) inline void drawHeld (PhaserState& st, int firstOscillator, int wraps, V& held)
{
    constexpr int lanes = (int) (sizeof (V) / sizeof (double));
    for (int lane = 0; lane < lanes; ++lane)
        if (wraps & (1 << lane))
            held[lane] = st.generator[firstOscillator + lane / 2][lane % 2].next();
}

// One phase step in any lane layout: the right lanes add the stereo offset,
// wrap on it and keep their base phase.
template <typename V>
struct PhaseStep
{
    V at;
    SimdMath::Mask<V> wrapped;
};

template <typename V>
__attribute__ ((always_inline)) inline PhaseStep<V> stepPhase (V& phase, const V& increment, const V& offsetRightOnly)
{
    using namespace SimdMath;
    constexpr double period = OscillatorWave::twoPi;
    const V base = phase + increment;
    V at = base + offsetRightOnly;
    const auto wrapped = at > period;
    phase = base - masked<V> (wrapped, fill<V> (period));
    at = at - masked<V> (wrapped, fill<V> (period));
    // Only a right channel's phase can fall below 0, when the stereo offset shrinks.
    at = at + masked<V> (at < 0.0, fill<V> (period));
    return { at, wrapped };
}

// Both oscillators as two [left, right] pairs.
struct OscillatorPairs
{
    Vec phase[2], held[2], value[2];

    __attribute__ ((always_inline)) void load (const Lanes& l)
    {
        for (int k = 0; k < 2; ++k)
            phase[k] = l.phase[k], held[k] = l.held[k], value[k] = l.value[k];
    }

    __attribute__ ((always_inline)) void store (Lanes& l) const
    {
        for (int k = 0; k < 2; ++k)
            l.phase[k] = phase[k], l.held[k] = held[k], l.value[k] = value[k];
    }

    __attribute__ ((always_inline)) void advance (const Job& job, const int (&wave)[2], Vec increment1, Vec increment2,
                                                  Vec offset, Vec& osc1, Vec& osc2)
    {
        step (job, 0, wave[0], increment1, offset);
        step (job, 1, wave[1], increment2, offset);
        osc1 = value[0];
        osc2 = value[1];
    }

    __attribute__ ((always_inline)) void step (const Job& job, int k, int wave, Vec increment, Vec offset)
    {
        const auto s = stepPhase (phase[k], increment, offset);
        if (const int wraps = _mm_movemask_pd ((Vec) s.wrapped); __builtin_expect (wraps != 0, 0))
            drawHeld (*job.state, k, wraps, held[k]);
        value[k] = OscillatorWave::evaluateWave (wave, s.at, held[k]);
    }
};

// Both oscillators in one four-lane vector: [1 left, 1 right, 2 left, 2 right].
struct OscillatorQuad
{
    Quad phase, held, value;

    static Quad join (Vec low, Vec high) { return __builtin_shufflevector (low, high, 0, 1, 2, 3); }
    static Vec low (const Quad& q) { return __builtin_shufflevector (q, q, 0, 1); }
    static Vec high (const Quad& q) { return __builtin_shufflevector (q, q, 2, 3); }

    __attribute__ ((always_inline)) void load (const Lanes& l)
    {
        phase = join (l.phase[0], l.phase[1]), held = join (l.held[0], l.held[1]), value = join (l.value[0], l.value[1]);
    }

    __attribute__ ((always_inline)) void store (Lanes& l) const
    {
        l.phase[0] = low (phase), l.phase[1] = high (phase);
        l.held[0] = low (held), l.held[1] = high (held);
        l.value[0] = low (value), l.value[1] = high (value);
    }

    __attribute__ ((always_inline)) void advance (const Job& job, const int (&wave)[2], Vec increment1, Vec increment2,
                                                  Vec offset, Vec& osc1, Vec& osc2)
    {
        const auto s = stepPhase (phase, join (increment1, increment2), join (offset, offset));
        const Vec lowWraps = (Vec) __builtin_shufflevector (s.wrapped, s.wrapped, 0, 1);
        const Vec highWraps = (Vec) __builtin_shufflevector (s.wrapped, s.wrapped, 2, 3);
        if (const int wraps = _mm_movemask_pd (_mm_or_pd (lowWraps, highWraps)); __builtin_expect (wraps != 0, 0))
            drawHeld (*job.state, 0, _mm_movemask_pd (lowWraps) | (_mm_movemask_pd (highWraps) << 2), held);

        // One evaluation covers both oscillators when they share a wave.
        value = OscillatorWave::evaluateWave (wave[0], s.at, held);
        if (wave[1] != wave[0])
        {
            const Quad second = OscillatorWave::evaluateWave (wave[1], s.at, held);
            value = __builtin_shufflevector (value, second, 0, 1, 6, 7);
        }
        osc1 = low (value);
        osc2 = high (value);
    }
};

// Coefficients four at a time with AVX2, else two.
template <bool Avx2>
struct VectorFor
{
    using type = Quad;
};

template <>
struct VectorFor<false>
{
    using type = SimdMath::Pair;
};

// The modulation stage of a chunk: oscillators, the smoothed modulation and
// the coefficients it gives.
template <bool Wide, bool Settled, bool Avx2>
class Modulator
{
    using Vector = typename VectorFor<Avx2>::type;

public:
    __attribute__ ((always_inline)) Modulator (const Job& j, const Chunk& c, Controls& b)
        : job (j), length (c.length), controls (b), followers (j, c),
          terms (j.coefficients->broadcastTerms<Vector>()), kMod (splat (j.kMod)), keepModulation (splat (1.0 - j.kMod))
    {
    }

    __attribute__ ((always_inline)) void run()
    {
        Lanes& l = *job.lanes;
        oscillators.load (l);
        modulation = l.modulation;
        wave[0] = job.wave[0];
        wave[1] = job.wave[1];

        // Two loops: the serial recursions first, then the coefficients, whose
        // samples do not depend on each other.
        for (int j = 0; j < length; ++j)
            _mm_store_pd (controls.modulation + 2 * j, sample (j));
        _mm_store_pd (controls.modulation + 2 * length, modulation);
        for (int j = 0; j < length; j += 2)
            writeCoefficients (j, _mm_load_pd (controls.modulation + 2 * j), _mm_load_pd (controls.modulation + 2 * j + 2));

        oscillators.store (l);
        l.modulation = modulation;
    }

private:
    // One sample; returns the modulation.
    __attribute__ ((always_inline)) Vec sample (int j)
    {
        Vec osc1, osc2;
        oscillators.advance (job, wave, followers.at (PhaserState::increment1, j), followers.at (PhaserState::increment2, j),
                             followers.at (PhaserState::stereoOffset, j), osc1, osc2);
        const Vec target = osc1 * followers.at (PhaserState::depth1, j) + osc2 * followers.at (PhaserState::depth2, j)
                         + followers.at (PhaserState::offset, j);
        const Vec clamped = _mm_min_pd (_mm_max_pd (target, splat (0.0)), splat (1.0));
        // The follower step m - ((m - target) kMod + 1e-20), rearranged so
        // that each sample waits on one multiplication and one addition.
        modulation = modulation * keepModulation + (clamped * kMod - splat (1e-20));

        if constexpr (! Settled)
        {
            const Vec mix = followers.at (PhaserState::mix, j);
            _mm_store_pd (controls.feedback + 2 * j, followers.at (PhaserState::feedback, j));
            _mm_store_pd (controls.wetMix + 2 * j, mix * splat (0.75));
            _mm_store_pd (controls.dryMix + 2 * j, splat (1.0) - mix);
            _mm_store_pd (controls.gain + 2 * j, followers.at (PhaserState::gain, j) + splat (1e-20));
        }
        return modulation;
    }

    // The coefficients of two samples: four values at once with AVX2.
    __attribute__ ((always_inline)) void writeCoefficients (int j, Vec first, Vec second)
    {
        if constexpr (Avx2)
            store (PhaserCoefficients::evaluate<Wide> (terms, OscillatorQuad::join (first, second)), 2 * j);
        else
        {
            store (PhaserCoefficients::evaluate<Wide> (terms, first), 2 * j);
            store (PhaserCoefficients::evaluate<Wide> (terms, second), 2 * j + 2);
        }
    }

    template <typename V>
    __attribute__ ((always_inline)) void store (const PhaserCoefficients::Values<V>& v, int i)
    {
        *reinterpret_cast<V*> (controls.set1a1 + i) = v.set1a1;
        *reinterpret_cast<V*> (controls.set1a2 + i) = v.set1a2;
        *reinterpret_cast<V*> (controls.set2a1 + i) = v.set2a1;
        *reinterpret_cast<V*> (controls.set2a2 + i) = v.set2a2;
        *reinterpret_cast<V*> (controls.hfScale + i) = v.hfScale;
    }

    const Job& job;
    const int length;
    Controls& controls;
    const Followers<Settled> followers;
    const PhaserCoefficients::Terms<Vector> terms;
    const Vec kMod, keepModulation;
    typename std::conditional<Avx2, OscillatorQuad, OscillatorPairs>::type oscillators;
    Vec modulation;
    int wave[PhaserState::numOscillators];
};

struct Coefficients
{
    Vec a1, a2;
};

// The audio stage of a chunk: the two high-passes, the all-pass chain twice
// per sample, then the mix. The first section's input history is the chain
// inputs, each other section's the previous section's y1, y2.
template <int Sections, bool Settled, bool Avx2>
class Filter
{
public:
    __attribute__ ((always_inline)) Filter (const Job& j, const Chunk& c, Controls& b)
        : job (j), left (c.left), right (c.right), length (c.length), controls (b), followers (j, c),
          g50 (splat (j.g50)), a50 (splat (j.a50)), g5000 (splat (j.g5000)), a5000 (splat (j.a5000))
    {
    }

    __attribute__ ((always_inline)) void run()
    {
        Lanes& l = *job.lanes;
        hp50In = l.hp50In, hp50Out = l.hp50Out, hp5000Out = l.hp5000Out;
        x1 = l.x1[0], x2 = l.x2[0];
        for (int s = 0; s < Sections; ++s)
            y1[s] = l.y1[s], y2[s] = l.y2[s];
        zeroNonFinite (left, length);
        zeroNonFinite (right, length);

        for (int j = 0; j < length; ++j)
            sample (j);

        l.hp50In = hp50In, l.hp50Out = l.hp5000In = hp50Out, l.hp5000Out = hp5000Out;
        l.x1[0] = x1, l.x2[0] = x2;
        for (int s = 0; s < Sections; ++s)
        {
            l.y1[s] = y1[s], l.y2[s] = y2[s];
            if (s > 0)
                l.x1[s] = y1[s - 1], l.x2[s] = y2[s - 1];
        }
        l.lastChainOutput = y1[Sections - 1];
    }

private:
    __attribute__ ((always_inline)) void sample (int j)
    {
        const Vec tiny = splat (1e-20);
        const Vec x = _mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (left + j), _mm_load_ss (right + j)));
        const Vec gHP = (x - hp50In) * g50 + a50 * hp50Out + tiny;
        const Vec h = (gHP - hp50Out) * g5000 + a5000 * hp5000Out + tiny;
        hp50In = x;
        hp50Out = gHP;
        hp5000Out = h;

        const Coefficients set1 { _mm_load_pd (controls.set1a1 + 2 * j), _mm_load_pd (controls.set1a2 + 2 * j) };
        const Coefficients set2 { _mm_load_pd (controls.set2a1 + 2 * j), _mm_load_pd (controls.set2a2 + 2 * j) };
        const Vec u = gHP + tiny;
        runChain (u, set1, set2, nullptr);
        const Vec feedback = value (controls.feedback, PhaserState::feedback, j);
        const Vec y = runChain (u, set1, set2, &feedback);

        const Vec hf = _mm_load_pd (controls.hfScale + 2 * j) * h + tiny;
        const Vec wet = (y + (hf + gHP)) * value (controls.wetMix, PhaserState::mix, j)
                      + (value (controls.dryMix, PhaserState::numFollowers, j) * x + tiny);
        const Vec out = value (controls.gain, PhaserState::gain, j) * wet;
        _mm_store_pd (controls.outputs + 2 * j, out);

        const __m128 samples = _mm_cvtpd_ps (_mm_min_pd (_mm_max_pd (out, splat (-FLT_MAX)), splat (FLT_MAX)));
        left[j] = _mm_cvtss_f32 (samples);
        right[j] = _mm_cvtss_f32 (_mm_shuffle_ps (samples, samples, 1));
    }

    // A follower's value for the audio: fixed once settled, else written by
    // the modulation stage. numFollowers stands for 1 - mix.
    __attribute__ ((always_inline)) Vec value (const double* values, int follower, int j) const
    {
        if constexpr (Settled)
        {
            if (follower == PhaserState::mix)
                return followers.at (follower, j) * splat (0.75);
            if (follower == PhaserState::numFollowers)
                return splat (1.0) - followers.at (PhaserState::mix, j);
            if (follower == PhaserState::gain)
                return followers.at (follower, j) + splat (1e-20);
            return followers.at (follower, j);
        }
        else
            return _mm_load_pd (values + 2 * j);
    }

    // The sections in order (the second uses set 2), each y = a2 u + t with
    // t = a1 x1 + x2 - a1 y1 - a2 y2 built before u arrives, the section's
    // own last output y1 as late as the instruction set allows: these are
    // the recursions that bound the chain's speed. The 1e-20 of each step is
    // left out: the chain's input always carries the high-passes' 1e-20,
    // which keeps the sections out of the denormal range, and its effect on
    // any value that matters is far below the last place.
    //
    // With feedback, the first section's input is feedback * the previous
    // chain output + u; its output is then formed as (a2 feedback) times that
    // chain output plus everything else, so that the feedback loop passes
    // through one multiply-add per section.
    __attribute__ ((always_inline)) Vec runChain (Vec u, const Coefficients& set1, const Coefficients& set2, const Vec* feedback)
    {
        Vec previous1 = x1, previous2 = x2;
        x2 = x1;
        for (int s = 0; s < Sections; ++s)
        {
            const Coefficients& c = s == 1 ? set2 : set1;
            Vec y;
            if (s == 0 && feedback != nullptr)
            {
                // The previous sample's chain output has moved on to y2.
                const Vec last = y2[Sections - 1];
                x1 = *feedback * last + u;
                y = (c.a2 * *feedback) * last + otherTerms (c, previous1, previous2 + c.a2 * u, s);
            }
            else
            {
                if (s == 0)
                    x1 = u;
                y = c.a2 * u + otherTerms (c, previous1, previous2, s);
            }
            previous1 = y1[s];
            previous2 = y2[s];
            y2[s] = y1[s];
            y1[s] = y;
            u = y;
        }
        return u;
    }

    // a1 x1 + x2 - a2 y2 - a1 y1 (x2 may carry a term more).
    __attribute__ ((always_inline)) Vec otherTerms (const Coefficients& c, Vec previous1, Vec previous2, int s) const
    {
        if constexpr (Avx2) // multiply-adds only, y1 in the last
            return (c.a1 * previous1 + (previous2 - c.a2 * y2[s])) - c.a1 * y1[s];
        else // one multiplication fewer
            return c.a1 * (previous1 - y1[s]) + (previous2 - c.a2 * y2[s]);
    }

    const Job& job;
    float* const left;
    float* const right;
    const int length;
    Controls& controls;
    const Followers<Settled> followers;
    const Vec g50, a50, g5000, a5000;
    Vec hp50In, hp50Out, hp5000Out, x1, x2, y1[Sections], y2[Sections];
};

// Level and meter over a chunk, from its outputs. Both recursions are running
// maxima of decaying values, level = max (|out|, level d) and meter =
// max (meter, entry) m + 1e-20, so each ends at the largest of its start and
// every sample's term, decayed by the steps after it. The weights are kept
// per sample of a full chunk, two copies each (left and right); a shorter
// chunk uses the last ones.
struct LevelWeights
{
    explicit LevelWeights (const Job& job)
    {
        double level = 1.0, meter = 1.0, floor = 0.0;
        for (int n = 0; n <= chunkLength; ++n)
        {
            levelStart[n] = level, meterStart[n] = meter, floorStart[n] = floor;
            if (n < chunkLength)
            {
                // The sample n steps before a full chunk's end.
                const int k = chunkLength - 1 - n;
                this->level[2 * k] = this->level[2 * k + 1] = level;
                this->meter[2 * k] = this->meter[2 * k + 1] = meter * job.meterDecay;
                this->floor[2 * k] = this->floor[2 * k + 1] = floor + meter * 1e-20;
            }
            level *= job.levelDecay;
            floor += meter * 1e-20;
            meter *= job.meterDecay;
        }
    }

    double levelStart[chunkLength + 1], meterStart[chunkLength + 1], floorStart[chunkLength + 1];
    alignas (16) double level[2 * chunkLength], meter[2 * chunkLength], floor[2 * chunkLength];
};

// Pairs lie on 16-byte boundaries; four lanes from an odd sample do not lie on 32.
template <typename V>
__attribute__ ((always_inline)) inline V loadVector (const double* values)
{
    if constexpr (sizeof (V) == sizeof (Vec))
        return *reinterpret_cast<const V*> (values);
    V v;
    __builtin_memcpy (&v, values, sizeof (V));
    return v;
}

// One or (V of four lanes) two samples. A comparison that fails keeps the
// running value, as the direct formulas do for an output that is not a number.
template <typename V>
__attribute__ ((always_inline)) inline void trackSamples (const LevelWeights& w, const double* table, const double* outputs,
                                                          int k, V& level, V& meter)
{
    const V out = loadVector<V> (outputs);
    const V decayed = SimdMath::magnitude (out) * loadVector<V> (w.level + 2 * k);
    level = SimdMath::maximum (decayed, level);
    const V position = SimdMath::minimum (SimdMath::maximum (out * 100.0 + 200.0, V {}), SimdMath::fill<V> (399.0));
    V entry;
    if constexpr (sizeof (V) == sizeof (Vec))
    {
        const __m128i index = _mm_cvttpd_epi32 ((Vec) position);
        entry = (V) _mm_loadh_pd (_mm_load_sd (table + _mm_cvtsi128_si32 (index)),
                                  table + _mm_cvtsi128_si32 (_mm_shuffle_epi32 (index, 1)));
    }
    else
        for (int i = 0; i < (int) (sizeof (V) / sizeof (double)); ++i)
            entry[i] = table[(int) position[i]];
    const V candidate = entry * loadVector<V> (w.meter + 2 * k) + loadVector<V> (w.floor + 2 * k);
    meter = SimdMath::maximum (candidate, meter);
}

template <typename V>
__attribute__ ((always_inline)) inline void trackLevels (const LevelWeights& w, const Job& job, const Controls& controls, int length)
{
    using SimdMath::Pair;
    Lanes& l = *job.lanes;
    const Pair levelStart = (Pair) l.level * w.levelStart[length];
    const Pair meterStart = (Pair) l.meter * w.meterStart[length] + w.floorStart[length];
    const int shift = chunkLength - length;
    constexpr int samples = (int) (sizeof (V) / sizeof (Pair));

    V level = loadVector<V> (w.level) * 0.0, meter = level;
    int j = 0;
    for (; j + samples <= length; j += samples)
        trackSamples (w, job.meterTable, controls.outputs + 2 * j, j + shift, level, meter);

    // Four lanes hold two samples' [left, right].
    Pair levelPair = __builtin_shufflevector (level, level, 0, 1), meterPair = __builtin_shufflevector (meter, meter, 0, 1);
    if constexpr (samples == 2)
    {
        const Pair levelHigh = __builtin_shufflevector (level, level, 2, 3), meterHigh = __builtin_shufflevector (meter, meter, 2, 3);
        levelPair = SimdMath::maximum (levelHigh, levelPair);
        meterPair = SimdMath::maximum (meterHigh, meterPair);
    }
    for (; j < length; ++j)
        trackSamples (w, job.meterTable, controls.outputs + 2 * j, j + shift, levelPair, meterPair);

    l.level = (Vec) SimdMath::maximum (levelPair, levelStart);
    l.meter = (Vec) SimdMath::maximum (meterPair, meterStart);
}

//==============================================================================
// The stages as functions of their own for each instruction set; everything
// above is inlined into them.
using Stage = void (*) (const Job&, const Chunk&, Controls&);

template <bool Wide, bool Settled>
void modulateSse2 (const Job& job, const Chunk& chunk, Controls& controls)
{
    Modulator<Wide, Settled, false> (job, chunk, controls).run();
}

template <bool Wide, bool Settled>
__attribute__ ((target ("avx2,fma"))) void modulateAvx2 (const Job& job, const Chunk& chunk, Controls& controls)
{
    Modulator<Wide, Settled, true> (job, chunk, controls).run();
}

template <int Sections, bool Settled>
void filterSse2 (const Job& job, const Chunk& chunk, Controls& controls)
{
    Filter<Sections, Settled, false> (job, chunk, controls).run();
}

template <int Sections, bool Settled>
__attribute__ ((target ("avx2,fma"))) void filterAvx2 (const Job& job, const Chunk& chunk, Controls& controls)
{
    Filter<Sections, Settled, true> (job, chunk, controls).run();
}

void trackSse2 (const LevelWeights& w, const Job& job, const Controls& controls, int length)
{
    trackLevels<SimdMath::Pair> (w, job, controls, length);
}

__attribute__ ((target ("avx2,fma"))) void trackAvx2 (const LevelWeights& w, const Job& job, const Controls& controls, int length)
{
    trackLevels<Quad> (w, job, controls, length);
}

template <bool Avx2, bool Wide, bool Settled>
Stage modulationStage()
{
    if constexpr (Avx2)
        return &modulateAvx2<Wide, Settled>;
    else
        return &modulateSse2<Wide, Settled>;
}

template <bool Avx2, bool Settled>
Stage filterStage (int sections)
{
    if constexpr (Avx2)
        switch (sections)
        {
            case 1: return &filterAvx2<1, Settled>;
            case 2: return &filterAvx2<2, Settled>;
            case 3: return &filterAvx2<3, Settled>;
            default: return &filterAvx2<4, Settled>;
        }
    else
        switch (sections)
        {
            case 1: return &filterSse2<1, Settled>;
            case 2: return &filterSse2<2, Settled>;
            case 3: return &filterSse2<3, Settled>;
            default: return &filterSse2<4, Settled>;
        }
}

template <bool Avx2>
void runChunks (const Job& job)
{
    const bool settled = job.followersSettled;
    const Stage modulate = job.wide ? (settled ? modulationStage<Avx2, true, true>() : modulationStage<Avx2, true, false>())
                                    : (settled ? modulationStage<Avx2, false, true>() : modulationStage<Avx2, false, false>());
    const Stage filter = settled ? filterStage<Avx2, true> (job.sections) : filterStage<Avx2, false> (job.sections);
    const LevelWeights weights (job);
    const auto track = Avx2 ? &trackAvx2 : &trackSse2;
    Controls controls;

    Chunk chunk;
    std::copy (job.distance, job.distance + PhaserState::numFollowers, chunk.distance);
    for (int start = 0; start < job.length; start += chunkLength)
    {
        chunk.left = job.left + start;
        chunk.right = job.right + start;
        chunk.length = std::min (chunkLength, job.length - start);
        modulate (job, chunk, controls);
        filter (job, chunk, controls);
        track (weights, job, controls, chunk.length);
        for (auto& distance : chunk.distance)
            distance *= job.followerDecay[chunk.length][0];
    }
}
} // namespace

namespace PhaserChunkKernel
{
void run (const Job& job)
{
    if (usesAvx2())
        runChunks<true> (job);
    else
        runChunks<false> (job);
}

void allowAvx2 (bool allow) noexcept { avx2Allowed.store (allow, std::memory_order_relaxed); }

bool usesAvx2() noexcept
{
    static const bool available = cpuHasAvx2AndFma();
    return available && avx2Allowed.load (std::memory_order_relaxed);
}
} // namespace PhaserChunkKernel
