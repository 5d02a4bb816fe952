#include "engine/PhaserDirectPath.h"

#include <cfloat>
#include <cmath>

#include "engine/OscillatorWave.h"
#include "engine/QuilvernCore.h"

namespace
{
using OscillatorWave::pi;
using OscillatorWave::twoPi;

struct Coefficients
{
    double a1, a2;
};

class DirectChannel
{
public:
    DirectChannel (QuilvernCore& c, PhaserState& s, const PhaserTargets& t, int ch)
        : core (c), st (s), targets (t), channel (ch)
    {
    }

    double run (double x)
    {
        const double osc1 = advanceOscillator (0);
        const double osc2 = advanceOscillator (1);
        const double gHP = highPass (x, st.hp50In[channel], st.hp50Out[channel], st.g50, st.a50);

        const auto& f = st.followers;
        double m = osc1 * f[PhaserState::depth1] + osc2 * f[PhaserState::depth2] + f[PhaserState::offset];
        m = m < 0.0 ? 0.0 : (m > 1.0 ? 1.0 : m);
        double& modulation = st.modulation[channel];
        modulation = modulation - ((modulation - m) * st.kMod + 1e-20);
        const double w = (std::pow (2.0, 3.0 * modulation) - 1.0) / 7.0 + 1e-20;

        const double h = highPass (gHP, st.hp5000In[channel], st.hp5000Out[channel], st.g5000, st.a5000);
        const double hf = 7.0 * targets.values[PhaserState::feedback] * (1.0 - modulation) * (1.0 - modulation) * h + 1e-20;

        const double frequency = (targets.frequencyScale * w + targets.frequencyBase) * st.srFactor;
        const double p = frequency / (2.0 * st.sampleRate);
        const double c = std::cos (twoPi * p);
        const Coefficients set1 = coefficients (std::exp (1e-20 - 16.0 * pi * p) + 1e-20, c);
        const Coefficients set2 = coefficients (std::exp (1e-20 - twoPi * p) + 1e-20, c);

        runChain (gHP + 1e-20, set1, set2);
        const double y = runChain (f[PhaserState::feedback] * st.lastChainOutput[channel] + gHP + 1e-20, set1, set2);
        st.lastChainOutput[channel] = y;

        const double mix = f[PhaserState::mix];
        const double wet = (y + hf + gHP) * mix * 0.75 + (1.0 - mix) * x + 1e-20;
        double out = (f[PhaserState::gain] + 1e-20) * wet;

        trackLevel (out);
        updateMeter (out);
        if (core.isFading())
            out *= core.getFadeGain();
        // Huge but finite input must not turn into an infinite float.
        return out > FLT_MAX ? FLT_MAX : (out < -FLT_MAX ? -FLT_MAX : out);
    }

private:
    double advanceOscillator (int k)
    {
        const double increment = st.followers[k == 0 ? PhaserState::increment1 : PhaserState::increment2];
        double& phase = st.phase[k][channel];
        double& held = st.held[k][channel];
        double at;

        if (channel == PhaserState::left)
        {
            phase = phase + increment;
            if (phase > twoPi)
            {
                held = st.generator[k][channel].next();
                phase = phase - twoPi;
            }
            at = phase;
        }
        else
        {
            phase = phase + increment;
            at = phase + st.followers[PhaserState::stereoOffset];
            if (at > twoPi)
            {
                phase = phase - twoPi;
                held = st.generator[k][channel].next();
            }
            if (at > twoPi)
                at = at - twoPi;
            if (at < 0.0)
                at = at + twoPi;
        }

        st.value[k][channel] = OscillatorWave::evaluate (targets.wave[k], at, held);
        return st.value[k][channel];
    }

    static double highPass (double input, double& previousInput, double& previousOutput, double g, double a)
    {
        const double output = (input - previousInput) * g + a * previousOutput + 1e-20;
        previousInput = input;
        previousOutput = output;
        return output;
    }

    static Coefficients coefficients (double r, double c)
    {
        return { 1e-20 - 2.0 * r * c, r * r + 1e-20 };
    }

    double runChain (double u, const Coefficients& set1, const Coefficients& set2)
    {
        for (int s = 0; s < targets.sectionCount; ++s)
        {
            const Coefficients& k = s == 1 ? set2 : set1;
            double& x1 = st.x1[s][channel];
            double& x2 = st.x2[s][channel];
            double& y1 = st.y1[s][channel];
            double& y2 = st.y2[s][channel];
            const double y = k.a2 * u + k.a1 * x1 + x2 - k.a1 * y1 - k.a2 * y2 + 1e-20;
            x2 = x1;
            x1 = u;
            y2 = y1;
            y1 = y;
            u = y;
        }
        return u;
    }

    void trackLevel (double out)
    {
        double& level = st.level[channel];
        level = level * (st.meterDecay + 1e-20);
        if (std::abs (out) > level)
            level = std::abs (out);
        if (level < 2e-5)
            st.active[channel] = false;
    }

    void updateMeter (double out)
    {
        double position = 100.0 * out + 200.0;
        position = position > 0.0 ? (position < 399.0 ? position : 399.0) : 0.0;
        double& meter = st.meter[channel];
        const double entry = core.getMeterTableEntry ((int) position);
        meter = meter > entry ? meter : entry;
        meter = meter * st.meterDecay + 1e-20;
    }

    QuilvernCore& core;
    PhaserState& st;
    const PhaserTargets& targets;
    const int channel;
};

void stepFollowers (PhaserState& st, const PhaserTargets& targets)
{
    for (int i = 0; i < PhaserState::numFollowers; ++i)
        st.followers[i] = st.followers[i] - ((st.followers[i] - targets.values[i]) * st.kParam + 1e-20);
}

// Non-finite input counts as silence and is replaced in the buffer, so it can
// neither enter the recursive state nor pass through an idle channel.
double readInput (float* sample)
{
    if (! std::isfinite (*sample))
        *sample = 0.0f;
    return *sample;
}
} // namespace

void PhaserDirectPath::process (QuilvernCore& core, float* left, float* right, int numSamples)
{
    PhaserState& st = core.state;
    for (int i = 0; i < numSamples; ++i)
    {
        auto targets = core.snapshotTargets();
        stepFollowers (st, targets);
        if (core.stepFade (st.kParam, st.sampleRate))
        {
            // The preset was applied at this silent point.
            core.takePendingPhaseReset();
            targets = core.snapshotTargets();
        }

        const double xLeft = readInput (left + i);
        const double xRight = right != nullptr ? readInput (right + i) : 0.0;
        if (xLeft != 0.0)
            st.active[PhaserState::left] = true;
        if (xRight != 0.0)
            st.active[PhaserState::right] = true;

        if (st.active[PhaserState::left])
        {
            left[i] = (float) DirectChannel (core, st, targets, PhaserState::left).run (xLeft);
            if (right == nullptr)
                st.meter[PhaserState::right] = st.meter[PhaserState::left];
        }
        if (right != nullptr && st.active[PhaserState::right])
            right[i] = (float) DirectChannel (core, st, targets, PhaserState::right).run (xRight);
    }
}

