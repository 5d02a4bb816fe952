#include "engine/PhaserFastPath.h"

#include <cfloat>
#include <cmath>

#include "engine/OscillatorWave.h"
#include "engine/QuilvernCore.h"
#include "engine/SimdMath.h"

namespace
{
using namespace SimdMath;
using OscillatorWave::twoPi;

constexpr int leftBit = 1;
constexpr int rightBit = 2;
constexpr int numFollowerPairs = (PhaserState::numFollowers + 1) / 2;

inline Vec loadPair (const double (&pair)[2]) noexcept { return _mm_load_pd (pair); }
inline void storePair (double (&pair)[2], Vec v) noexcept { _mm_store_pd (pair, v); }
inline Vec low (Vec v) noexcept { return _mm_unpacklo_pd (v, v); }
inline Vec high (Vec v) noexcept { return _mm_unpackhi_pd (v, v); }

// The recursive state of both channels, one lane each.
struct Lanes
{
    Vec hp50In, hp50Out, hp5000In, hp5000Out, modulation, lastChainOutput, level, meter;
    Vec x1[PhaserState::maxSections], x2[PhaserState::maxSections];
    Vec y1[PhaserState::maxSections], y2[PhaserState::maxSections];
    Vec phase[PhaserState::numOscillators], held[PhaserState::numOscillators], value[PhaserState::numOscillators];

};

template <typename LanesRef, typename StateRef, typename Transfer>
void pairUp (LanesRef& l, StateRef& s, Transfer&& transfer)
{
    transfer (l.hp50In, s.hp50In), transfer (l.hp50Out, s.hp50Out);
    transfer (l.hp5000In, s.hp5000In), transfer (l.hp5000Out, s.hp5000Out);
    transfer (l.modulation, s.modulation), transfer (l.lastChainOutput, s.lastChainOutput);
    transfer (l.level, s.level), transfer (l.meter, s.meter);
    for (int i = 0; i < PhaserState::maxSections; ++i)
        transfer (l.x1[i], s.x1[i]), transfer (l.x2[i], s.x2[i]), transfer (l.y1[i], s.y1[i]), transfer (l.y2[i], s.y2[i]);
    for (int k = 0; k < PhaserState::numOscillators; ++k)
        transfer (l.phase[k], s.phase[k]), transfer (l.held[k], s.held[k]), transfer (l.value[k], s.value[k]);
}

Lanes loadLanes (PhaserState& s)
{
    Lanes l;
    pairUp (l, s, [] (Vec& v, double (&pair)[2]) { v = loadPair (pair); });
    return l;
}

void storeLanes (Lanes& l, PhaserState& s)
{
    pairUp (l, s, [] (Vec& v, double (&pair)[2]) { storePair (pair, v); });
}

// Keeps the lanes of `kept` outside `mask`. Lanes holds nothing but Vecs.
void mergeLanes (Lanes& fresh, const Lanes& kept, Vec mask)
{
    constexpr int count = (int) (sizeof (Lanes) / sizeof (Vec));
    Vec* updated = reinterpret_cast<Vec*> (&fresh);
    const Vec* old = reinterpret_cast<const Vec*> (&kept);
    for (int i = 0; i < count; ++i)
        updated[i] = select (mask, updated[i], old[i]);
}

Vec laneMask (int bits)
{
    return _mm_castsi128_pd (_mm_set_epi64x ((bits & rightBit) ? -1 : 0, (bits & leftBit) ? -1 : 0));
}

// Per-block constants, re-read whenever the preset changes mid-block.
struct Constants
{
    explicit Constants (const PhaserState& s, const PhaserTargets& t)
        : kParam (splat (s.kParam)), kMod (splat (s.kMod)),
          g50 (splat (s.g50)), a50 (splat (s.a50)), g5000 (splat (s.g5000)), a5000 (splat (s.a5000)),
          decay (splat (s.meterDecay)), levelDecay (splat (s.meterDecay + 1e-20)),
          sevenFeedbackTarget (splat (7.0 * t.values[PhaserState::feedback])),
          frequencyScale (splat (t.frequencyScale)), frequencyBase (splat (t.frequencyBase)),
          srFactor (splat (s.srFactor)), halfOverSampleRate (splat (1.0 / (2.0 * s.sampleRate))),
          chunkDecay (std::pow (s.meterDecay + 1e-20, 64))
    {
        for (int i = 0; i < numFollowerPairs; ++i)
            targets[i] = _mm_loadu_pd (t.values + 2 * i);
        wave[0] = t.wave[0];
        wave[1] = t.wave[1];
    }

    Vec kParam, kMod, g50, a50, g5000, a5000, decay, levelDecay, sevenFeedbackTarget;
    Vec frequencyScale, frequencyBase, srFactor, halfOverSampleRate;
    Vec targets[numFollowerPairs];
    int wave[PhaserState::numOscillators];
    double chunkDecay; // the level's decay over more samples than a chunk holds
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

// Inlined: a call would make the compiler spill every live register around it.
__attribute__ ((always_inline)) inline Vec evaluateWave (int shape, Vec at, Vec held)
{
    using namespace OscillatorWave;
    const Vec half = splat (0.5);
    switch (shape)
    {
        case square:
            return _mm_and_pd (_mm_cmplt_pd (at, splat (twoPi * symmetry)), splat (1.0));
        case sine:
            return (SimdMath::sin (at) + splat (1.0)) * half;
        case sawRising:
            return ((at * splat (inversePi) - splat (1.0)) + splat (1.0)) * half;
        case sawFalling:
            return (((splat (twoPi) - at) * splat (inversePi) - splat (1.0)) + splat (1.0)) * half;
        case OscillatorWave::random:
            return (held + splat (1.0)) * half;
        case triangle:
        default:
        {
            const double s = symmetry;
            const Vec falling = ((((splat (pi * s) - at) + splat (pi)) * splat (s)) * splat (inversePi) + splat (0.25)) * splat (2.0);
            const Vec rising = (((at - splat (pi * s)) * splat (1.0 - s)) * splat (inversePi) + splat (0.25)) * splat (2.0);
            return select (_mm_cmpge_pd (at, splat (twoPi * s)), falling, rising);
        }
    }
}

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
    static constexpr int chunkLength = 32;

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
        return lowest * k.chunkDecay > 2e-5 * 1.000001;
    }

    void runChunk (Vec (&followers)[numFollowerPairs], float* left, float* right)
    {
        Modulated modulated[chunkLength];
        for (int j = 0; j < chunkLength; ++j)
        {
            for (int f = 0; f < numFollowerPairs; ++f)
                followers[f] = followers[f] - ((followers[f] - k.targets[f]) * k.kParam + splat (1e-20));
            modulated[j] = modulate (Smoothed (followers), leftBit | rightBit);
        }

        for (int j = 0; j < chunkLength; ++j)
        {
            readInput (left + j, right + j);
            int idle;
            const Vec out = _mm_min_pd (_mm_max_pd (filter (input, modulated[j], idle), splat (-FLT_MAX)), splat (FLT_MAX));
            const __m128 samples = _mm_cvtpd_ps (out);
            left[j] = _mm_cvtss_f32 (samples);
            right[j] = _mm_cvtss_f32 (_mm_shuffle_ps (samples, samples, 1));
        }
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

    // Everything of one sample that does not depend on the audio: oscillators,
    // modulation and the all-pass coefficients.
    struct Modulated
    {
        Vec set1a1, set1a2, set2a1, set2a2, hfScale, gain, mix, feedback;
    };

    __attribute__ ((always_inline)) Modulated modulate (const Smoothed& f, int active)
    {
        const Vec tiny = splat (1e-20);
        const Vec osc1 = advanceOscillator (0, f.increment1, f.stereoOffsetRightOnly, active);
        const Vec osc2 = advanceOscillator (1, f.increment2, f.stereoOffsetRightOnly, active);

        const Vec m = _mm_min_pd (_mm_max_pd (osc1 * f.depth1 + osc2 * f.depth2 + f.offset, splat (0.0)), splat (1.0));
        const Vec modulation = lanes.modulation - ((lanes.modulation - m) * k.kMod + tiny);
        lanes.modulation = modulation;
        const Vec w = (SimdMath::exp2 (splat (3.0) * modulation) - splat (1.0)) * splat (1.0 / 7.0) + tiny;
        const Vec falloff = splat (1.0) - modulation;

        // One angle serves both coefficient sets: set 1's radius is set 2's to the eighth power.
        const Vec angle = splat (twoPi) * ((k.frequencyScale * w + k.frequencyBase) * k.srFactor * k.halfOverSampleRate);
        const Vec twoCos = splat (2.0) * cosSmall<Wide ? 7 : 4> (angle);
        const Vec r2 = expOfNegative<Wide ? 13 : 9> (angle) + tiny;
        const Vec r2Squared = r2 * r2;
        const Vec r4 = r2Squared * r2Squared;
        const Vec r1 = r4 * r4;
        return { tiny - r1 * twoCos, r1 * r1 + tiny, tiny - r2 * twoCos, r2Squared + tiny,
                 k.sevenFeedbackTarget * falloff * falloff, f.gain + tiny, f.mix, f.feedback };
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
        updateMeter (out);
        return out;
    }

    struct Coefficients
    {
        Vec a1, a2;
    };

    __attribute__ ((always_inline)) Vec advanceOscillator (int osc, Vec increment, Vec offsetRightOnly, int active)
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

        lanes.value[osc] = evaluateWave (k.wave[osc], at, lanes.held[osc]);
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

    void updateMeter (Vec out)
    {
        const Vec position = _mm_min_pd (_mm_max_pd (splat (100.0) * out + splat (200.0), splat (0.0)), splat (399.0));
        const __m128i index = _mm_cvttpd_epi32 (position);
        const double* table = meterTable();
        const Vec entry = _mm_set_pd (table[_mm_cvtsi128_si32 (_mm_shuffle_epi32 (index, 1))],
                                      table[_mm_cvtsi128_si32 (index)]);
        lanes.meter = _mm_max_pd (lanes.meter, entry) * k.decay + splat (1e-20);
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
    const double highestAngle = twoPi * 800.0 * st.srFactor / (2.0 * st.sampleRate);
    if (highestAngle <= 0.0625)
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
