#include "tools/render/RenderJob.h"

#include "engine/QuilvernFactory.h"
#include "tools/render/HostParameters.h"
#include "tools/render/PresetChoice.h"
#include "tools/render/SpectrogramPicture.h"

RenderJob::RenderJob (const RenderOptions& optionsToUse) : options (optionsToUse) {}

RenderJob::~RenderJob() = default;

juce::File RenderJob::defaultOutputFor (const RenderOptions& options)
{
    if (options.usesDemoSignal())
        return juce::File::getCurrentWorkingDirectory().getChildFile ("quilvern-demo.wav");

    const auto extension = options.format.isNotEmpty() ? "." + options.format : juce::String (".wav");
    return options.input.getSiblingFile (options.input.getFileNameWithoutExtension() + "-quilvern" + extension);
}

juce::Result RenderJob::setUpProcessor()
{
    // A command-line render neither depends on nor changes the settings a
    // host's instances keep beside the library.
    processor = createQuilvern (juce::File());

    if (processor == nullptr)
        return juce::Result::fail ("the plug-in could not be created");

    auto result = PresetChoice::apply (options, *processor, report.preset);

    HostParameters parameters (*processor);

    for (const auto& [name, value] : options.parameterSettings)
        if (result.wasOk())
            result = parameters.set (name, value);

    return result;
}

juce::Result RenderJob::render (const RenderLoop::Progress& progress)
{
    auto result = openInput();

    if (result.wasOk() && processor == nullptr)
        result = setUpProcessor();

    juce::File target;
    juce::String format;

    if (result.wasOk())
        result = chooseOutput (target, format);

    if (result.failed())
        return result;

    juce::String error;
    auto output = OutputFile::create (target, format, options.bitDepth, input->getSampleRate(), error);

    if (output == nullptr)
        return juce::Result::fail (error);

    RenderLoop loop (*processor, *input, *output, options.blockSize, options.tempo);
    std::unique_ptr<Spectrograms> spectrograms;

    if (options.spectrogram)
    {
        spectrograms = std::make_unique<Spectrograms> (input->getSampleRate(), loop.getTotalSamples());
        loop.analyseInto (spectrograms.get());
    }

    result = loop.run (progress);

    if (result.wasOk() && spectrograms != nullptr)
        result = writeSpectrogram (*spectrograms);

    const bool wrotePicture = result.wasOk() && spectrograms != nullptr;

    if (result.wasOk())
        result = output->commit();

    // The picture goes with the audio it shows.
    if (result.failed() && wrotePicture)
        options.spectrogram->deleteFile();

    if (result.wasOk())
    {
        report.output = target;
        report.outputFormat = output->getFormatDescription();
        report.numSamples = loop.getTotalSamples();
        report.inputLevels = loop.getInputLevels();
        report.outputLevels = loop.getOutputLevels();
    }

    return result;
}

juce::Result RenderJob::writeSpectrogram (Spectrograms& spectrograms)
{
    spectrograms.finish();
    const auto inputName = options.usesDemoSignal() ? report.input : options.input.getFileName();
    const SpectrogramPicture picture (spectrograms, "Quilvern, preset " + report.preset + ": " + inputName);
    const auto result = picture.write (*options.spectrogram);

    if (result.wasOk())
        report.spectrogram = *options.spectrogram;

    return result;
}

juce::Result RenderJob::openInput()
{
    juce::String error;
    input = options.usesDemoSignal() ? InputSignal::openDemo() : InputSignal::openFile (options.input, error);

    if (input == nullptr)
        return juce::Result::fail (error);

    describeInput();
    return juce::Result::ok();
}

void RenderJob::describeInput()
{
    report.input = input->getDescription();
    report.sampleRate = input->getSampleRate();

    if (input->getNumSourceChannels() == 1)
        report.notes.add ("the mono input plays on both channels");
    else if (input->getNumSourceChannels() > 2)
        report.notes.add ("only the first two of the input's " + juce::String (input->getNumSourceChannels()) + " channels are used");
}

juce::Result RenderJob::chooseOutput (juce::File& target, juce::String& format) const
{
    target = options.output != juce::File() ? options.output : defaultOutputFor (options);
    format = options.format.isNotEmpty() ? options.format : OutputFile::formatForExtension (target);

    if (format.isEmpty())
        return juce::Result::fail ("cannot tell the output format from " + target.getFileName()
                                   + ": name it .wav, .aiff or .flac, or use --format");

    if (! options.usesDemoSignal() && target == options.input)
        return juce::Result::fail ("the output would replace the input file " + target.getFullPathName());

    if (target.isDirectory())
        return juce::Result::fail ("the output is a folder: " + target.getFullPathName());

    if (options.spectrogram && (*options.spectrogram == target || *options.spectrogram == options.input))
        return juce::Result::fail ("the spectrogram would replace the audio file " + options.spectrogram->getFullPathName());

    if (options.spectrogram && options.spectrogram->isDirectory())
        return juce::Result::fail ("the spectrogram is a folder: " + options.spectrogram->getFullPathName());

    return juce::Result::ok();
}
