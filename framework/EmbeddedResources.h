#pragma once

#include <juce_graphics/juce_graphics.h>

// The files under resources/ are compiled into the plug-in library. They are
// found by a file-style name: the text after the last "." is the resource
// type and the text before it the resource name, both matched without regard
// to case ("parameters.xml" finds type XML, name PARAMETERS). A missing
// resource gives empty data, empty text or an invalid image.
class EmbeddedResources
{
public:
    static juce::MemoryBlock loadResourceData (const juce::String& fileName);
    static juce::String loadResourceText (const juce::String& fileName);
    static juce::Image loadResourceImage (const juce::String& fileName);
    // The image with its size and format, its pixels decoded when first
    // read or drawn (DeferredPngImage); transparent if they do not decode.
    static juce::Image loadResourceImageWhenDrawn (const juce::String& fileName);
    // The resource's text parsed with the guarded XML reader; null when it is
    // missing or does not parse.
    static std::unique_ptr<juce::XmlElement> loadResourceXml (const juce::String& fileName);

private:
    static const char* findResource (const juce::String& fileName, int& size);
};
