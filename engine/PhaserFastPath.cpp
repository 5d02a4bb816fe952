#include "engine/PhaserFastPath.h"

#include <cfloat>
#include <cmath>

#include "engine/OscillatorWave.h"
#include "engine/OscillatorWaveSimd.h"
#include "engine/PhaserCoefficients.h"
#include "engine/PhaserLanes.h"
#include "engine/QuilvernCore.h"
#include "engine/SimdMath.h"

namespace
{
using namespace SimdMath;
using OscillatorWave::twoPi;

using namespace PhaserLanes;
using OscillatorWave::evaluateWave;

constexpr int numFollowerPairs = (PhaserState::numFollowers + 1) / 2;
constexpr int chunkLength = PhaserCoefficients::maxValues / 2;

inline Vec low (Vec v) noexcept { return _mm_unpacklo_pd (v, v); }
inline Vec high (Vec v) noexcept { return _mm_unpackhi_pd (v, v); }

// Per-block constants, re-read whenever the preset changes mid-block.
struct Constants
{
    explicit Constants (const PhaserState& s, const PhaserTargets& t)
        : kParam (splat (s.kParam)), kMod (splat (s.kMod)),
          g50 (splat (s.g50)), a50 (splat (s.a50)), g5000 (splat (s.g5000)), a5000 (splat (s.a5000)),
          decay (splat (s.meterDecay)), levelDecay (splat (s.meterDecay + 1e-20)),
          coefficients (s, t), chunkDecay (std::pow (s.meterDecay + 1e-20, 64))
    {
        for (int i = 0; i < numFollowerPairs; ++i)
            targets[i] = _mm_loadu_pd (t.values + 2 * i);
        wave[0] = t.wave[0];
        wave[1] = t.wave[1];

        // The recursion f -= (f - target) k + 1e-20 settles at target - 1e-20 / k,
        // and its distance from there shrinks by 1 - k per sample.
        for (int i = 0; i < numFollowerPairs; ++i)
            settled[i] = targets[i] - splat (1e-20) / kParam;
        followerDecay[0] = splat (1.0);
        for (int j = 1; j <= chunkLength; ++j)
            followerDecay[j] = followerDecay[j - 1] * (splat (1.0) - kParam);
    }

    Vec kParam, kMod, g50, a50, g5000, a5000, decay, levelDecay;
    Vec targets[numFollowerPairs], settled[numFollowerPairs];
    Vec followerDecay[chunkLength + 1];
    int wave[PhaserState::numOscillators];
    PhaserCoefficients coefficients;
    double chunkDecay; // the level's decay over more samples than a chunk holds
};

// The followers over a chunk in closed form, settled + distance (1 - k)^n
// after n steps: two operations per value and sample instead of a recursion,
// each value a both-lane broadcast (the stereo offset in the right lane only).
class ChunkFollowers
{
public:
    ChunkFollowers (const Constants& c, const Vec (&distance)[numFollowerPairs]) : decay (c.followerDecay)
    {
        for (int i = 0; i < PhaserState::numFollowers; ++i)
        {
            const Vec s = c.settled[i / 2], d = distance[i / 2];
            settled[i] = i % 2 == 0 ? low (s) : high (s);
            away[i] = i % 2 == 0 ? low (d) : high (d);
        }
        const Vec rightOnly = laneMaskRight();
        settled[PhaserState::stereoOffset] = _mm_and_pd (settled[PhaserState::stereoOffset], rightOnly);
        away[PhaserState::stereoOffset] = _mm_and_pd (away[PhaserState::stereoOffset], rightOnly);
    }

    // Follower `index` at the chunk's sample j, which has had j + 1 steps.
    __attribute__ ((always_inline)) Vec at (int index, int j) const { return settled[index] + away[index] * decay[j + 1]; }

private:
    static Vec laneMaskRight() { return _mm_castsi128_pd (_mm_set_epi64x (-1, 0)); }

    const Vec* decay;
    Vec settled[PhaserState::numFollowers], away[PhaserState::numFollowers];
};

// The smoothed values as both-lane broadcasts, for one sample.
struct Smoothed
{
    explicit Smoothed (const Vec (&f)[numFollowerPairs])
        : gain (low (f[0])), feedback (high (f[0])), offset (low (f[1])), depth1 (high (f[1])),
          increment1 (low (f[2])), depth2 (high (f[2])), increment2 (low (f[3])),
          stereoOffsetRightOnly (_mm_unpackhi_pd (_mm_setzero_pd(), f[3])), mix (low (f[4]))
    {
    }

    Vec gain, feedback, offset, depth1, increment1, depth2, increment2, stereoOffsetRightOnly, mix;
};

// Wide covers coefficient angles up to 0.5, narrow up to 0.0625 (rates from
// about 40 kHz up) with shorter series.
template <int Sections, bool Wide>
class Runner
{
public:
    Runner (QuilvernCore& c, PhaserState& s) : core (c), st (s), k (s, c.snapshotTargets()) {}

    // Processes samples from `start` until `end`, or until the preset was
    // applied at a silent point: then returns that sample's index, whose
    // followers and fade have already been stepped.
    int run (float* left, float* right, int start, int end, bool startIsStepped)
    {
        Vec followers[numFollowerPairs];
        for (int i = 0; i < numFollowerPairs; ++i)
            followers[i] = _mm_load_pd (st.followers + 2 * i);
        lanes = loadLanes (st);
        int active = (st.active[PhaserState::left] ? leftBit : 0) | (st.active[PhaserState::right] ? rightBit : 0);
        // Mono processes the left channel only; the right keeps its flag and state.
        const int untouched = right == nullptr ? (active & rightBit) : 0;
        active &= ~untouched;

        int i = start;
        for (; i < end; ++i)
        {
            if (i > start && canRunChunk (active, end - i, right != nullptr))
            {
                runChunk (followers, left + i, right + i);
                i += chunkLength - 1;
                continue;
            }
            if (! (startIsStepped && i == start))
            {
                for (int f = 0; f < numFollowerPairs; ++f)
                    followers[f] = followers[f] - ((followers[f] - k.targets[f]) * k.kParam + splat (1e-20));
                if (core.isFading() && core.stepFade (st.kParam, st.sampleRate))
                    break;
            }
            active |= readInput (left + i, right != nullptr ? right + i : nullptr);
            if (active != 0)
                active = processSample (followers, active, left + i, right != nullptr ? right + i : nullptr);
        }

        for (int f = 0; f < numFollowerPairs; ++f)
            _mm_store_pd (st.followers + 2 * f, followers[f]);
        storeLanes (lanes, st);
        active |= untouched;
        st.active[PhaserState::left] = (active & leftBit) != 0;
        st.active[PhaserState::right] = (active & rightBit) != 0;
        return i;
    }

private:
    // Everything of one sample that does not depend on the audio: oscillators,
    // modulation and the all-pass coefficients.
    struct Modulated
    {
        Vec set1a1, set1a2, set2a1, set2a2, hfScale, gain, mix, feedback;
    };

    struct Coefficients
    {
        Vec a1, a2;
    };

    // A run of samples in which neither channel can change its activity and
    // no fade runs can be done in two passes: first the modulation of every
    // sample, then the audio. The passes have short dependency chains each,
    // where one pass per sample would wait on the coefficient series.
    bool canRunChunk (int active, int remaining, bool stereo) const
    {
        if (active != (leftBit | rightBit) || remaining < chunkLength || ! stereo || core.isFading())
            return false;
        // The level only falls by the decay per sample, so it cannot cross the
        // idle threshold within the chunk if it starts this far above it.
        const double lowest = std::min (lanes.level[0], lanes.level[1]);
        return lowest * k.chunkDecay > 2e-5 * 1.000001 && chainInputsAreOutputs();
    }

    // Each section's input history is the previous section's output history
    // once the chain has run; only after the section count grew can a section
    // still hold the history of an earlier run. The chunk keeps the shared
    // history once, which leaves room for the whole chain in registers.
    bool chainInputsAreOutputs() const
    {
        Vec same = _mm_cmpeq_pd (lanes.x1[0], lanes.x1[0]);
        for (int s = 1; s < Sections; ++s)
            same = _mm_and_pd (same, _mm_and_pd (_mm_cmpeq_pd (lanes.x1[s], lanes.y1[s - 1]),
                                                 _mm_cmpeq_pd (lanes.x2[s], lanes.y2[s - 1])));
        return _mm_movemask_pd (same) == 3;
    }

    // A chunk in three passes: the oscillators and the smoothed modulation
    // (short recursions), the coefficients from the modulation (independent
    // per sample, so several at once), then the audio.
    void runChunk (Vec (&followers)[numFollowerPairs], float* left, float* right)
    {
        Vec distance[numFollowerPairs];
        for (int f = 0; f < numFollowerPairs; ++f)
            distance[f] = followers[f] - k.settled[f];
        const ChunkFollowers smoothed (k, distance);

        Vec oscillator[PhaserState::numOscillators][chunkLength];
        for (int osc = 0; osc < PhaserState::numOscillators; ++osc)
            runOscillator (osc, smoothed, oscillator[osc]);

        alignas (32) double modulation[2 * chunkLength];
        for (int j = 0; j < chunkLength; ++j)
        {
            const Vec m = oscillator[0][j] * smoothed.at (PhaserState::depth1, j)
                        + oscillator[1][j] * smoothed.at (PhaserState::depth2, j) + smoothed.at (PhaserState::offset, j);
            lanes.modulation = smoothModulation (m);
            _mm_store_pd (modulation + 2 * j, lanes.modulation);
        }

        PhaserCoefficients::Run run;
        k.coefficients.compute (modulation, 2 * chunkLength, run);
        zeroNonFinite (left);
        zeroNonFinite (right);
        filterChunk (run, smoothed, left, right);

        for (int f = 0; f < numFollowerPairs; ++f)
            followers[f] = k.settled[f] + distance[f] * k.followerDecay[chunkLength];
    }

    Vec smoothModulation (Vec unclamped) const
    {
        const Vec m = _mm_min_pd (_mm_max_pd (unclamped, splat (0.0)), splat (1.0));
        return lanes.modulation - ((lanes.modulation - m) * k.kMod + splat (1e-20));
    }

    // The wave is fixed for the chunk: one loop per shape keeps its switch out of the loop.
    void runOscillator (int osc, const ChunkFollowers& f, Vec (&values)[chunkLength])
    {
        using namespace OscillatorWave;
        switch (k.wave[osc])
        {
            case square: runWave<square> (osc, f, values); break;
            case sine: runWave<sine> (osc, f, values); break;
            case sawRising: runWave<sawRising> (osc, f, values); break;
            case sawFalling: runWave<sawFalling> (osc, f, values); break;
            case OscillatorWave::random: runWave<OscillatorWave::random> (osc, f, values); break;
            default: runWave<triangle> (osc, f, values); break;
        }
    }

    template <int Shape>
    void runWave (int osc, const ChunkFollowers& f, Vec (&values)[chunkLength])
    {
        const int increment = osc == 0 ? PhaserState::increment1 : PhaserState::increment2;
        for (int j = 0; j < chunkLength; ++j)
            values[j] = advanceOscillator (osc, Shape, f.at (increment, j), f.at (PhaserState::stereoOffset, j), leftBit | rightBit);
    }

    // Non-finite samples count as silence (both channels are active, so
    // nothing else is read from the input here).
    static void zeroNonFinite (float* samples)
    {
        for (int j = 0; j < chunkLength; j += 4)
        {
            const __m128 v = _mm_loadu_ps (samples + j);
            const __m128 finite = _mm_cmpeq_ps (_mm_sub_ps (v, v), _mm_setzero_ps());
            _mm_storeu_ps (samples + j, _mm_and_ps (v, finite));
        }
    }

    // The filter state a chunk works on, in locals the compiler can keep in
    // registers (a member could alias the float buffers). x1 and x2 are the
    // first section's input history; the others' is the previous section's y1, y2.
    struct ChunkFilter
    {
        Vec hp50In, hp50Out, hp5000In, hp5000Out, lastChainOutput, level, meter, x1, x2;
        Vec y1[Sections], y2[Sections];
    };

    void filterChunk (const PhaserCoefficients::Run& run, const ChunkFollowers& f, float* left, float* right)
    {
        ChunkFilter c { lanes.hp50In, lanes.hp50Out, lanes.hp5000In, lanes.hp5000Out, lanes.lastChainOutput,
                        lanes.level, lanes.meter, lanes.x1[0], lanes.x2[0], {}, {} };
        for (int s = 0; s < Sections; ++s)
            c.y1[s] = lanes.y1[s], c.y2[s] = lanes.y2[s];

        for (int j = 0; j < chunkLength; ++j)
        {
            const Vec x = _mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (left + j), _mm_load_ss (right + j)));
            const Modulated m { _mm_load_pd (run.set1a1 + 2 * j), _mm_load_pd (run.set1a2 + 2 * j),
                                _mm_load_pd (run.set2a1 + 2 * j), _mm_load_pd (run.set2a2 + 2 * j),
                                _mm_load_pd (run.hfScale + 2 * j), f.at (PhaserState::gain, j) + splat (1e-20),
                                f.at (PhaserState::mix, j), f.at (PhaserState::feedback, j) };
            const Vec out = _mm_min_pd (_mm_max_pd (filterSample (x, m, c), splat (-FLT_MAX)), splat (FLT_MAX));
            const __m128 samples = _mm_cvtpd_ps (out);
            left[j] = _mm_cvtss_f32 (samples);
            right[j] = _mm_cvtss_f32 (_mm_shuffle_ps (samples, samples, 1));
        }

        lanes.hp50In = c.hp50In, lanes.hp50Out = c.hp50Out, lanes.hp5000In = c.hp5000In, lanes.hp5000Out = c.hp5000Out;
        lanes.lastChainOutput = c.lastChainOutput, lanes.level = c.level, lanes.meter = c.meter;
        lanes.x1[0] = c.x1, lanes.x2[0] = c.x2;
        for (int s = 0; s < Sections; ++s)
        {
            lanes.y1[s] = c.y1[s], lanes.y2[s] = c.y2[s];
            if (s > 0)
                lanes.x1[s] = c.y1[s - 1], lanes.x2[s] = c.y2[s - 1];
        }
    }

    // The same arithmetic as filter(), on a chunk's state.
    __attribute__ ((always_inline)) Vec filterSample (Vec x, const Modulated& m, ChunkFilter& c) const
    {
        const Vec tiny = splat (1e-20);
        const Vec gHP = (x - c.hp50In) * k.g50 + k.a50 * c.hp50Out + tiny;
        c.hp50In = x;
        c.hp50Out = gHP;

        const Vec h = (gHP - c.hp5000In) * k.g5000 + k.a5000 * c.hp5000Out + tiny;
        c.hp5000In = gHP;
        c.hp5000Out = h;
        const Vec hf = m.hfScale * h + tiny;

        const Coefficients set1 { m.set1a1, m.set1a2 };
        const Coefficients set2 { m.set2a1, m.set2a2 };
        runSharedChain (gHP + tiny, set1, set2, c);
        const Vec y = runSharedChain (m.feedback * c.lastChainOutput + gHP + tiny, set1, set2, c);
        c.lastChainOutput = y;

        const Vec wet = (y + hf + gHP) * m.mix * splat (0.75) + (splat (1.0) - m.mix) * x + tiny;
        const Vec out = m.gain * wet;
        c.level = _mm_max_pd (SimdMath::abs (out), c.level * k.levelDecay);
        c.meter = meterStep (c.meter, out);
        return out;
    }

    // runChain with each section's input history read from the previous section.
    __attribute__ ((always_inline)) static Vec runSharedChain (Vec u, const Coefficients& set1, const Coefficients& set2, ChunkFilter& c)
    {
        const Vec tiny = splat (1e-20);
        Vec x1 = c.x1, x2 = c.x2;
        c.x2 = c.x1;
        c.x1 = u;
        for (int s = 0; s < Sections; ++s)
        {
            const Coefficients& k = s == 1 ? set2 : set1;
            const Vec t = k.a1 * (x1 - c.y1[s]) + x2 - k.a2 * c.y2[s] + tiny;
            const Vec y = k.a2 * u + t;
            x1 = c.y1[s];
            x2 = c.y2[s];
            c.y2[s] = c.y1[s];
            c.y1[s] = y;
            u = y;
        }
        return u;
    }

    // Loads both inputs into `input`; non-finite samples count as silence and
    // are replaced in the buffer. Returns the bits of the non-zero channels.
    int readInput (float* left, float* right)
    {
        float l = *left;
        float r = right != nullptr ? *right : 0.0f;
        if (! std::isfinite (l))
            *left = l = 0.0f;
        if (! std::isfinite (r))
            *right = r = 0.0f;
        input = _mm_set_pd (r, l);
        return (l != 0.0f ? leftBit : 0) | (r != 0.0f ? rightBit : 0);
    }

    int processSample (const Vec (&followers)[numFollowerPairs], int active, float* left, float* right)
    {
        const Smoothed smoothed (followers);
        Vec out;
        int idle;
        if (active == (leftBit | rightBit))
            out = channelSteps (smoothed, active, idle);
        else
        {
            const Lanes kept = lanes;
            out = channelSteps (smoothed, active, idle);
            mergeLanes (lanes, kept, laneMask (active));
        }

        if (right == nullptr)
            lanes.meter = low (lanes.meter);
        if (core.isFading())
            out = out * splat (core.getFadeGain());
        out = _mm_min_pd (_mm_max_pd (out, splat (-FLT_MAX)), splat (FLT_MAX));

        const __m128 samples = _mm_cvtpd_ps (out);
        if (active & leftBit)
            *left = _mm_cvtss_f32 (samples);
        if (active & rightBit)
            *right = _mm_cvtss_f32 (_mm_shuffle_ps (samples, samples, 1));
        return active & ~idle;
    }

    __attribute__ ((always_inline)) Modulated modulate (const Smoothed& f, int active)
    {
        const Vec osc1 = advanceOscillator (0, k.wave[0], f.increment1, f.stereoOffsetRightOnly, active);
        const Vec osc2 = advanceOscillator (1, k.wave[1], f.increment2, f.stereoOffsetRightOnly, active);
        lanes.modulation = smoothModulation (osc1 * f.depth1 + osc2 * f.depth2 + f.offset);
        const auto c = k.coefficients.evaluate<Wide> (lanes.modulation);
        return { c.set1a1, c.set1a2, c.set2a1, c.set2a2, c.hfScale, f.gain + splat (1e-20), f.mix, f.feedback };
    }

    Vec channelSteps (const Smoothed& f, int active, int& idle) { return filter (input, modulate (f, active), idle); }

    // The audio half: high-passes, the chain twice, mix, level and meter.
    __attribute__ ((always_inline)) Vec filter (Vec x, const Modulated& c, int& idle)
    {
        const Vec tiny = splat (1e-20);
        const Vec gHP = (x - lanes.hp50In) * k.g50 + k.a50 * lanes.hp50Out + tiny;
        lanes.hp50In = x;
        lanes.hp50Out = gHP;

        const Vec h = (gHP - lanes.hp5000In) * k.g5000 + k.a5000 * lanes.hp5000Out + tiny;
        lanes.hp5000In = gHP;
        lanes.hp5000Out = h;
        const Vec hf = c.hfScale * h + tiny;

        const Coefficients set1 { c.set1a1, c.set1a2 };
        const Coefficients set2 { c.set2a1, c.set2a2 };
        runChain (gHP + tiny, set1, set2);
        const Vec y = runChain (c.feedback * lanes.lastChainOutput + gHP + tiny, set1, set2);
        lanes.lastChainOutput = y;

        const Vec wet = (y + hf + gHP) * c.mix * splat (0.75) + (splat (1.0) - c.mix) * x + tiny;
        const Vec out = c.gain * wet;

        lanes.level = _mm_max_pd (SimdMath::abs (out), lanes.level * k.levelDecay);
        idle = _mm_movemask_pd (_mm_cmplt_pd (lanes.level, splat (2e-5)));
        lanes.meter = meterStep (lanes.meter, out);
        return out;
    }

    __attribute__ ((always_inline)) Vec advanceOscillator (int osc, int shape, Vec increment, Vec offsetRightOnly, int active)
    {
        const Vec period = splat (twoPi);
        const Vec base = lanes.phase[osc] + increment;
        Vec at = base + offsetRightOnly;
        const Vec wrapped = _mm_cmpgt_pd (at, period);
        lanes.phase[osc] = base - _mm_and_pd (wrapped, period);
        at = at - _mm_and_pd (wrapped, period);
        const Vec belowZero = _mm_and_pd (_mm_cmplt_pd (at, splat (0.0)), laneMask (rightBit));
        at = at + _mm_and_pd (belowZero, period);

        if (const int wraps = _mm_movemask_pd (wrapped) & active)
            drawRandom (osc, wraps);

        lanes.value[osc] = evaluateWave (shape, at, lanes.held[osc]);
        return lanes.value[osc];
    }

    // Once per oscillator cycle: kept out of line.
    __attribute__ ((noinline, cold)) void drawRandom (int osc, int wraps)
    {
        alignas (16) double held[2];
        _mm_store_pd (held, lanes.held[osc]);
        for (int channel = 0; channel < 2; ++channel)
            if (wraps & (1 << channel))
                held[channel] = st.generator[osc][channel].next();
        lanes.held[osc] = _mm_load_pd (held);
    }

    // The sections in order (the second uses set 2), with y = a2 u + t where t
    // gathers the terms that do not depend on this sample's input.
    Vec runChain (Vec u, const Coefficients& set1, const Coefficients& set2)
    {
        const Vec tiny = splat (1e-20);
        for (int s = 0; s < Sections; ++s)
        {
            const Coefficients& c = s == 1 ? set2 : set1;
            const Vec t = c.a1 * (lanes.x1[s] - lanes.y1[s]) + lanes.x2[s] - c.a2 * lanes.y2[s] + tiny;
            const Vec y = c.a2 * u + t;
            lanes.x2[s] = lanes.x1[s];
            lanes.x1[s] = u;
            lanes.y2[s] = lanes.y1[s];
            lanes.y1[s] = y;
            u = y;
        }
        return u;
    }

    __attribute__ ((always_inline)) Vec meterStep (Vec meter, Vec out) const
    {
        const Vec position = _mm_min_pd (_mm_max_pd (splat (100.0) * out + splat (200.0), splat (0.0)), splat (399.0));
        const __m128i index = _mm_cvttpd_epi32 (position);
        const double* table = meterTable();
        const Vec entry = _mm_set_pd (table[_mm_cvtsi128_si32 (_mm_shuffle_epi32 (index, 1))],
                                      table[_mm_cvtsi128_si32 (index)]);
        return _mm_max_pd (meter, entry) * k.decay + splat (1e-20);
    }

    const double* meterTable() const { return core.getMeterTable(); }

    QuilvernCore& core;
    PhaserState& st;
    const Constants k;
    Lanes lanes;
    Vec input;
};

template <int Sections>
int runSections (QuilvernCore& core, PhaserState& st, float* left, float* right, int start, int end, bool startIsStepped)
{
    if (! PhaserCoefficients::needsWideSeries (st))
        return Runner<Sections, false> (core, st).run (left, right, start, end, startIsStepped);
    return Runner<Sections, true> (core, st).run (left, right, start, end, startIsStepped);
}
} // namespace

void PhaserFastPath::process (QuilvernCore& core, float* left, float* right, int numSamples)
{
    bool startIsStepped = false;
    for (int done = 0; done < numSamples; startIsStepped = true)
    {
        // A preset applied at a silent point may change any setting, the
        // section count included: re-read everything from that sample on.
        core.takePendingPhaseReset();
        switch (core.snapshotTargets().sectionCount)
        {
            case 1: done = runSections<1> (core, core.state, left, right, done, numSamples, startIsStepped); break;
            case 2: done = runSections<2> (core, core.state, left, right, done, numSamples, startIsStepped); break;
            case 3: done = runSections<3> (core, core.state, left, right, done, numSamples, startIsStepped); break;
            default: done = runSections<4> (core, core.state, left, right, done, numSamples, startIsStepped); break;
        }
    }
}
