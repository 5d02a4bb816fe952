#include "engine/PhaserCoefficients.h"

#include "engine/OscillatorWave.h"

PhaserCoefficients::PhaserCoefficients (const PhaserState& s, const PhaserTargets& t) noexcept
{
    // 2 pi p = 2 pi (scale w + base) srFactor / (2 sampleRate), w = m * shape(m).
    const double angleScale = OscillatorWave::twoPi * s.srFactor / (2.0 * s.sampleRate);
    terms.angleBase = angleScale * t.frequencyBase;
    for (int k = 0; k < slopeTerms; ++k)
        terms.angleSlope[k] = angleScale * t.frequencyScale * PhaserCoefficientTerms::shape[k];
    terms.sevenFeedbackTarget = 7.0 * t.values[PhaserState::feedback];
}

bool PhaserCoefficients::needsWideSeries (const PhaserState& s) noexcept
{
    // The highest frequency of any section count is 800 Hz times srFactor.
    return OscillatorWave::twoPi * 800.0 * s.srFactor / (2.0 * s.sampleRate) > 0.0625;
}
