#include "tools/art/ArtFonts.h"

juce::Result ArtFonts::load (const juce::File& resourceFolder)
{
    plainFace = loadTypeface (resourceFolder.getChildFile ("tahoma.ttf"));
    boldFace = loadTypeface (resourceFolder.getChildFile ("tahomabd.ttf"));

    if (plainFace == nullptr || boldFace == nullptr)
        return juce::Result::fail ("cannot load tahoma.ttf and tahomabd.ttf from " + resourceFolder.getFullPathName());

    return juce::Result::ok();
}

juce::Font ArtFonts::plain (float height) const
{
    return juce::Font (plainFace).withHeight (height);
}

juce::Font ArtFonts::bold (float height) const
{
    return juce::Font (boldFace).withHeight (height);
}

juce::Typeface::Ptr ArtFonts::loadTypeface (const juce::File& file)
{
    juce::MemoryBlock data;

    if (! file.loadFileAsData (data) || data.isEmpty())
        return nullptr;

    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}
