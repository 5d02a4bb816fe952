#include "tools/render/RenderLoop.h"

#include "tools/render/RenderPlayHead.h"

#include <cmath>

RenderLoop::RenderLoop (juce::AudioProcessor& processorToUse, InputSignal& inputToUse, OutputFile& outputToUse,
                        int samplesPerBlock, double tempoInBeatsPerMinute)
    : processor (processorToUse), input (inputToUse), output (outputToUse), blockSize (samplesPerBlock),
      tempo (tempoInBeatsPerMinute)
{
}

juce::int64 RenderLoop::getTotalSamples() const
{
    const auto tail = juce::jlimit (0.0, maxTailSeconds, processor.getTailLengthSeconds());
    return input.getLengthInSamples() + (juce::int64) std::ceil (tail * input.getSampleRate());
}

juce::Result RenderLoop::run (const Progress& progress)
{
    RenderPlayHead playHead (tempo, input.getSampleRate());
    processor.setPlayHead (&playHead);
    prepare();

    juce::AudioBuffer<float> buffer (2, blockSize);
    const auto total = getTotalSamples();
    auto result = juce::Result::ok();

    for (juce::int64 done = 0; done < total && result.wasOk();)
    {
        const auto numSamples = (int) juce::jmin ((juce::int64) blockSize, total - done);
        result = renderBlock (buffer, numSamples);
        playHead.advance (numSamples);
        done += numSamples;

        if (progress)
            progress (done, total);
    }

    processor.releaseResources();
    processor.setPlayHead (nullptr);
    return result;
}

void RenderLoop::prepare()
{
    processor.enableAllBuses();
    processor.setPlayConfigDetails (2, 2, input.getSampleRate(), blockSize);
    processor.setNonRealtime (true);
    processor.prepareToPlay (input.getSampleRate(), blockSize);
    midi.ensureSize (1024);
}

juce::Result RenderLoop::renderBlock (juce::AudioBuffer<float>& buffer, int numSamples)
{
    if (! input.readNext (buffer, numSamples))
        return juce::Result::fail ("cannot read " + input.getDescription());

    inputLevels.add (buffer, numSamples);

    if (spectrograms != nullptr)
        spectrograms->addInput (buffer, numSamples);

    // A view of exactly this block's samples, as a host passes it.
    juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), numSamples);
    midi.clear();

    {
        const juce::ScopedLock lock (processor.getCallbackLock());

        if (processor.isSuspended())
            block.clear();
        else
            processor.processBlock (block, midi);
    }

    outputLevels.add (block, numSamples);

    if (spectrograms != nullptr)
        spectrograms->addOutput (block, numSamples);

    if (! output.write (block, numSamples))
        return juce::Result::fail ("cannot write " + output.getTarget().getFullPathName());

    return juce::Result::ok();
}
