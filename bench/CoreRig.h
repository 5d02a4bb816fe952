#pragma once

#include <array>

#include "engine/OscillatorSyncHandler.h"
#include "engine/QuilvernCore.h"

// A phaser core on its own with a full set of normalised values, applied as
// the product applies them (the note and sync values through the product's
// handler), prepared at `sampleRate` and given `tempo` when it is above 0.
class CoreRig
{
public:
    using Values = std::array<float, QuilvernCore::numParameters>;

    CoreRig (const Values& values, bool useDirect, double sampleRate, double tempo)
    {
        core.setUseDirectFormulas (useDirect);
        for (int index = 0; index < QuilvernCore::numParameters; ++index)
            core.applyParameter (index, values[(size_t) index]);
        const int noteRates[] = { QuilvernCore::lfo1NoteRate, QuilvernCore::lfo2NoteRate };
        const int syncs[] = { QuilvernCore::lfo1Sync, QuilvernCore::lfo2Sync };
        for (int k = 0; k < OscillatorSyncHandler::numOscillators; ++k)
        {
            sync.noteRateChanged (k, values[(size_t) noteRates[k]], &core, nullptr);
            sync.syncChanged (k, values[(size_t) syncs[k]], &core, nullptr);
        }
        core.prepare ((float) sampleRate);
        if (tempo > 0.0)
            core.setTempo (tempo);
    }

    // numSamples from each buffer, in host blocks of blockSize.
    void process (float* left, float* right, int numSamples, int blockSize)
    {
        for (int start = 0; start < numSamples; start += blockSize)
            core.processStereo (left + start, right + start, numSamples - start < blockSize ? numSamples - start : blockSize);
    }

    QuilvernCore core;

private:
    OscillatorSyncHandler sync;
};
