#include "tools/render/InputSignal.h"

#include "tools/render/DemoSignal.h"

std::unique_ptr<InputSignal> InputSignal::openFile (const juce::File& file, juce::String& error)
{
    if (! file.existsAsFile())
    {
        error = "no such file: " + file.getFullPathName();
        return nullptr;
    }

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

    if (reader == nullptr || reader->numChannels == 0 || reader->sampleRate <= 0.0)
    {
        error = "cannot read " + file.getFullPathName() + ": not a readable WAV, AIFF or FLAC file";
        return nullptr;
    }

    std::unique_ptr<InputSignal> signal (new InputSignal());
    signal->sampleRate = reader->sampleRate;
    signal->lengthInSamples = reader->lengthInSamples;
    signal->numSourceChannels = (int) reader->numChannels;
    signal->description = file.getFullPathName();
    signal->reader = std::move (reader);
    return signal;
}

std::unique_ptr<InputSignal> InputSignal::openDemo()
{
    std::unique_ptr<InputSignal> signal (new InputSignal());
    signal->demo = DemoSignal::create();
    signal->sampleRate = DemoSignal::sampleRate;
    signal->lengthInSamples = signal->demo.getNumSamples();
    signal->numSourceChannels = signal->demo.getNumChannels();
    signal->description = "built-in demo signal";
    return signal;
}

InputSignal::~InputSignal() = default;

bool InputSignal::readNext (juce::AudioBuffer<float>& buffer, int numSamples)
{
    jassert (buffer.getNumChannels() == 2 && numSamples <= buffer.getNumSamples());

    const auto available = (int) juce::jlimit ((juce::int64) 0, (juce::int64) numSamples, lengthInSamples - position);
    buffer.clear (0, numSamples);
    bool ok = true;

    if (available > 0)
    {
        if (reader != nullptr)
            ok = reader->read (&buffer, 0, available, position, true, true);
        else
            for (int channel = 0; channel < 2; ++channel)
                buffer.copyFrom (channel, 0, demo, channel, (int) position, available);

        if (numSourceChannels == 1)
            buffer.copyFrom (1, 0, buffer, 0, 0, available);
    }

    position += numSamples;
    return ok;
}
