#include "engine/PhaserState.h"

#include <cmath>

void PhaserState::clearFilters() noexcept
{
    clearFilters (left);
    clearFilters (right);
    meter[left] = meter[right] = 0.0;
}

void PhaserState::clearFilters (int channel) noexcept
{
    hp50In[channel] = hp50Out[channel] = 0.0;
    hp5000In[channel] = hp5000Out[channel] = 0.0;
    for (int s = 0; s < maxSections; ++s)
        x1[s][channel] = x2[s][channel] = y1[s][channel] = y2[s][channel] = 0.0;
    lastChainOutput[channel] = 0.0;
}

bool PhaserState::hasFiniteFilters (int channel) const noexcept
{
    double sum = hp50In[channel] + hp50Out[channel] + hp5000In[channel] + hp5000Out[channel]
               + lastChainOutput[channel] + modulation[channel] + level[channel] + meter[channel];
    for (int s = 0; s < maxSections; ++s)
        sum += x1[s][channel] + x2[s][channel] + y1[s][channel] + y2[s][channel];
    return std::isfinite (sum * 0.0);
}

void PhaserState::resetOscillators() noexcept
{
    for (int k = 0; k < numOscillators; ++k)
        for (int channel = 0; channel < 2; ++channel)
        {
            phase[k][channel] = 0.0;
            generator[k][channel].seed();
        }
}
