#include "tools/art/PngWriter.h"

juce::Result PngWriter::write (const juce::Image& image, const juce::File& file)
{
    juce::MemoryOutputStream data;

    if (! juce::PNGImageFormat().writeImageToStream (image, data))
        return juce::Result::fail ("cannot encode " + file.getFileName());

    if (! file.replaceWithData (data.getData(), data.getDataSize()))
        return juce::Result::fail ("cannot write " + file.getFullPathName());

    return juce::Result::ok();
}
