#include "tools/render/OutputFile.h"

namespace
{
std::unique_ptr<juce::AudioFormat> createFormat (const juce::String& name)
{
    if (name == "wav")  return std::make_unique<juce::WavAudioFormat>();
    if (name == "aiff") return std::make_unique<juce::AiffAudioFormat>();
    if (name == "flac") return std::make_unique<juce::FlacAudioFormat>();
    return nullptr;
}
} // namespace

juce::String OutputFile::formatForExtension (const juce::File& file)
{
    const auto extension = file.getFileExtension().toLowerCase();

    if (extension == ".wav" || extension == ".wave") return "wav";
    if (extension == ".aiff" || extension == ".aif") return "aiff";
    if (extension == ".flac")                        return "flac";
    return {};
}

OutputFile::OutputFile (const juce::File& targetFile, const juce::String& format, int bits)
    : target (targetFile), formatName (format), bitDepth (bits), temporary (targetFile, juce::TemporaryFile::useHiddenFile)
{
}

OutputFile::~OutputFile()
{
    writer.reset(); // closes the temporary file before TemporaryFile deletes it
}

std::unique_ptr<OutputFile> OutputFile::create (const juce::File& target, const juce::String& formatName,
                                                int bitDepth, double sampleRate, juce::String& error)
{
    auto format = createFormat (formatName);

    if (format == nullptr)
    {
        error = "unknown output format \"" + formatName + "\"";
        return nullptr;
    }

    if (! format->getPossibleBitDepths().contains (bitDepth))
    {
        error = format->getFormatName() + " cannot be written with " + juce::String (bitDepth) + " bits";
        return nullptr;
    }

    if (! target.getParentDirectory().createDirectory())
    {
        error = "cannot create the folder " + target.getParentDirectory().getFullPathName();
        return nullptr;
    }

    std::unique_ptr<OutputFile> output (new OutputFile (target, formatName, bitDepth));
    auto stream = output->temporary.getFile().createOutputStream();

    if (stream == nullptr)
    {
        error = "cannot write to the folder " + target.getParentDirectory().getFullPathName();
        return nullptr;
    }

    output->writer.reset (format->createWriterFor (stream.get(), sampleRate, 2, bitDepth, {}, 0));

    if (output->writer == nullptr)
    {
        error = format->getFormatName() + " cannot be written at " + juce::String (sampleRate) + " Hz";
        return nullptr;
    }

    stream.release(); // the writer owns it now
    return output;
}

bool OutputFile::write (const juce::AudioBuffer<float>& buffer, int numSamples)
{
    return writer != nullptr && writer->writeFromAudioSampleBuffer (buffer, 0, numSamples);
}

juce::Result OutputFile::commit()
{
    if (writer == nullptr)
        return juce::Result::fail ("the output file is already closed");

    writer.reset();

    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("cannot move the rendered file to " + target.getFullPathName());

    return juce::Result::ok();
}

juce::String OutputFile::getFormatDescription() const
{
    return formatName.toUpperCase() + ", " + juce::String (bitDepth) + " bit" + (bitDepth == 32 ? " float" : "");
}
