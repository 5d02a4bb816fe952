#include "tools/presetcheck/PresetRenderer.h"

#include "engine/Clock.h"
#include "engine/OscillatorSyncHandler.h"
#include "engine/QuilvernCore.h"

namespace
{
    constexpr int numOscillators = OscillatorSyncHandler::numOscillators;
    const int noteRateIndexes[numOscillators] = { QuilvernCore::lfo1NoteRate, QuilvernCore::lfo2NoteRate };
    const int syncIndexes[numOscillators] = { QuilvernCore::lfo1Sync, QuilvernCore::lfo2Sync };

    struct Rig
    {
        QuilvernCore core;
        OscillatorSyncHandler syncHandler;
        Clock clocks[numOscillators];
    };

    void applyValues (Rig& rig, const PresetRenderer::Values& values)
    {
        for (int index = 0; index < static_cast<int> (values.size()); ++index)
            rig.core.applyParameter (index, values[static_cast<size_t> (index)]);

        for (int k = 0; k < numOscillators; ++k)
        {
            rig.syncHandler.noteRateChanged (k, values[static_cast<size_t> (noteRateIndexes[k])], &rig.core, &rig.clocks[k]);
            rig.syncHandler.syncChanged (k, values[static_cast<size_t> (syncIndexes[k])], &rig.core, &rig.clocks[k]);
        }
    }

    // One host block: the clocks tick every sample, and at each edge into a
    // new period the samples so far are processed before the oscillator is
    // re-phased.
    void processBlock (Rig& rig, float* left, float* right, int numSamples)
    {
        int done = 0;

        for (int i = 0; i < numSamples; ++i)
        {
            for (int k = 0; k < numOscillators; ++k)
            {
                if (rig.clocks[k].tick() && rig.clocks[k].isInFirstPart())
                {
                    rig.core.processStereo (left + done, right + done, i - done);
                    done = i;
                    rig.core.syncOscillator (k, rig.clocks[k]);
                }
            }
        }

        rig.core.processStereo (left + done, right + done, numSamples - done);
    }
}

juce::AudioBuffer<float> PresetRenderer::render (const Values& defaults, const Values& values,
                                                 const juce::AudioBuffer<float>& input,
                                                 double sampleRate)
{
    auto rig = std::make_unique<Rig>();
    applyValues (*rig, defaults);
    applyValues (*rig, values);
    rig->core.prepare (static_cast<float> (sampleRate));

    for (auto& clock : rig->clocks)
    {
        clock.setSampleRate (sampleRate);
        clock.setTempo (tempo);
        clock.start (0.0);
    }

    juce::AudioBuffer<float> output (input);

    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        rig->core.setTempo (tempo);
        processBlock (*rig, output.getWritePointer (0, start), output.getWritePointer (1, start),
                      juce::jmin (blockSize, output.getNumSamples() - start));
    }

    return output;
}
