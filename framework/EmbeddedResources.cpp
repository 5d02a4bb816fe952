#include "framework/EmbeddedResources.h"

#include "QuilvernBinaryData.h"
#include "framework/DeferredPngImage.h"
#include "framework/XmlUtilities.h"

namespace
{
struct ResourceKey
{
    juce::String name, type;

    explicit ResourceKey (const juce::String& fileName)
    {
        const int dot = fileName.lastIndexOfChar ('.');
        name = dot < 0 ? fileName : fileName.substring (0, dot);
        type = dot < 0 ? juce::String() : fileName.substring (dot + 1);
    }

    bool matches (const ResourceKey& other) const
    {
        return name.equalsIgnoreCase (other.name) && type.equalsIgnoreCase (other.type);
    }
};
} // namespace

const char* EmbeddedResources::findResource (const juce::String& fileName, int& size)
{
    size = 0;
    const ResourceKey wanted (fileName);

    for (int i = 0; i < QuilvernBinaryData::namedResourceListSize; ++i)
    {
        if (! wanted.matches (ResourceKey (QuilvernBinaryData::originalFilenames[i])))
            continue;

        return QuilvernBinaryData::getNamedResource (QuilvernBinaryData::namedResourceList[i], size);
    }

    return nullptr;
}

juce::MemoryBlock EmbeddedResources::loadResourceData (const juce::String& fileName)
{
    int size = 0;
    const char* data = findResource (fileName, size);

    if (data == nullptr || size <= 0)
        return {};

    return juce::MemoryBlock (data, (size_t) size);
}

juce::String EmbeddedResources::loadResourceText (const juce::String& fileName)
{
    int size = 0;
    const char* data = findResource (fileName, size);

    if (data == nullptr || size <= 0)
        return {};

    return juce::String::fromUTF8 (data, size);
}

std::unique_ptr<juce::XmlElement> EmbeddedResources::loadResourceXml (const juce::String& fileName)
{
    return XmlUtilities::parseText (loadResourceText (fileName));
}

juce::Image EmbeddedResources::loadResourceImage (const juce::String& fileName)
{
    int size = 0;
    const char* data = findResource (fileName, size);

    if (data == nullptr || size <= 0)
        return {};

    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}

juce::Image EmbeddedResources::loadResourceImageWhenDrawn (const juce::String& fileName)
{
    int size = 0;
    const char* data = findResource (fileName, size);

    if (data == nullptr || size <= 0)
        return {};

    return DeferredPngImage::load (data, (size_t) size);
}
