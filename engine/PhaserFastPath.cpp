#include "engine/PhaserFastPath.h"

#include <cfloat>
#include <cmath>

#include "engine/OscillatorWave.h"
#include "engine/OscillatorWaveSimd.h"
#include "engine/PhaserChunkKernel.h"
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
constexpr int chunkLength = PhaserChunkKernel::chunkLength;

inline Vec low (Vec v) noexcept { return _mm_unpacklo_pd (v, v); }
inline Vec high (Vec v) noexcept { return _mm_unpackhi_pd (v, v); }

// Per-block constants, re-read whenever the preset changes mid-block.
struct Constants
{
    explicit Constants (const PhaserState& s, const PhaserTargets& t)
        : kParam (splat (s.kParam)), kMod (splat (s.kMod)),
          g50 (splat (s.g50)), a50 (splat (s.a50)), g5000 (splat (s.g5000)), a5000 (splat (s.a5000)),
          decay (splat (s.meterDecay)), levelDecay (splat (s.meterDecay + 1e-20)),
          coefficients (s, t), wide (PhaserCoefficients::needsWideSeries (s)), sections (t.sectionCount),
          feedbackTarget (t.values[PhaserState::feedback])
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
    bool wide;
    int sections;
    double feedbackTarget;
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
    // Shorter runs cost the kernel more to set up than they save.
    static constexpr int minimumRun = 8;

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
            const bool stepped = startIsStepped && i == start;
            if (const int length = stepped ? 0 : chunkRunLength (active, end - i, right != nullptr); length > 0)
            {
                runChunks (followers, left + i, right + i, length);
                i += length - 1;
                continue;
            }
            if (! stepped)
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

    // The kernel takes over for runs of samples in which neither channel can
    // change its activity and no fade runs; returns the length of such a run
    // from here, or 0.
    int chunkRunLength (int active, int remaining, bool stereo) const
    {
        if (active != (leftBit | rightBit) || remaining < minimumRun || ! stereo || core.isFading() || ! chainInputsAreOutputs())
            return 0;
        // The level only falls by the decay per sample, so it cannot cross the
        // idle threshold within this many samples.
        const double lowest = std::min (lanes.level[0], lanes.level[1]);
        const double margin = std::log (2e-5 * 1.000001 / lowest) / std::log (st.meterDecay + 1e-20);
        return margin >= (double) remaining ? remaining : (margin >= (double) minimumRun ? (int) margin : 0);
    }

    // Each section's input history is the previous section's output history
    // once the chain has run; only after the section count grew can a section
    // still hold the history of an earlier run. The kernel keeps the shared
    // history once, which leaves room for the whole chain in registers.
    bool chainInputsAreOutputs() const
    {
        Vec same = _mm_cmpeq_pd (lanes.x1[0], lanes.x1[0]);
        for (int s = 1; s < Sections; ++s)
            same = _mm_and_pd (same, _mm_and_pd (_mm_cmpeq_pd (lanes.x1[s], lanes.y1[s - 1]),
                                                 _mm_cmpeq_pd (lanes.x2[s], lanes.y2[s - 1])));
        same = _mm_and_pd (same, _mm_cmpeq_pd (lanes.lastChainOutput, lanes.y1[Sections - 1]));
        return _mm_movemask_pd (same) == 3;
    }

    void runChunks (Vec (&followers)[numFollowerPairs], float* left, float* right, int length)
    {
        PhaserChunkKernel::Job job;
        job.lanes = &lanes;
        job.state = &st;
        job.coefficients = &k.coefficients;
        job.meterTable = meterTable();
        job.followerDecay = k.followerDecay;
        alignas (16) double settled[numFollowerPairs * 2], distance[numFollowerPairs * 2];
        bool isSettled = true;
        for (int f = 0; f < numFollowerPairs; ++f)
        {
            _mm_store_pd (settled + 2 * f, k.settled[f]);
            _mm_store_pd (distance + 2 * f, followers[f] - k.settled[f]);
        }
        for (int f = 0; f < PhaserState::numFollowers; ++f)
        {
            job.settled[f] = settled[f];
            job.distance[f] = distance[f];
            // Within 1e-12 of the settled value the closed form changes nothing that matters.
            isSettled = isSettled && std::abs (distance[f]) <= 1e-12 * std::abs (settled[f]);
        }
        job.followersSettled = isSettled;
        job.wide = k.wide;
        job.sections = Sections;
        job.wave[0] = k.wave[0];
        job.wave[1] = k.wave[1];
        job.g50 = st.g50, job.a50 = st.a50, job.g5000 = st.g5000, job.a5000 = st.a5000;
        job.kMod = st.kMod, job.meterDecay = st.meterDecay, job.levelDecay = st.meterDecay + 1e-20;
        job.feedbackTarget = k.feedbackTarget;
        job.left = left;
        job.right = right;
        job.length = length;
        PhaserChunkKernel::run (job);

        // The followers where the kernel left them, chunk by chunk as it stepped them.
        for (int done = 0; done < length; done += chunkLength)
            for (int f = 0; f < numFollowerPairs; ++f)
                _mm_store_pd (distance + 2 * f, _mm_load_pd (distance + 2 * f) * k.followerDecay[std::min (chunkLength, length - done)]);
        for (int f = 0; f < numFollowerPairs; ++f)
            followers[f] = k.settled[f] + _mm_load_pd (distance + 2 * f);
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

    Vec smoothModulation (Vec unclamped) const
    {
        const Vec m = _mm_min_pd (_mm_max_pd (unclamped, splat (0.0)), splat (1.0));
        return lanes.modulation - ((lanes.modulation - m) * k.kMod + splat (1e-20));
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
