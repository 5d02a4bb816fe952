#pragma once

#include "tools/art/ArtFonts.h"
#include "tools/art/SkinLayout.h"

// Every image the artwork consists of at one scale, by the resource file
// name the plug-in loads it under (Name.png at 1x, Name@2x.png at 2x).
class ArtCatalogue
{
public:
    struct Entry
    {
        juce::String fileName;
        juce::Image image;
        int frames = 1;
    };

    ArtCatalogue (const SkinLayout& layout, const ArtFonts& fonts, int scale);

    // The background and one strip per skin control, in skin order.
    juce::Array<Entry> faceImages() const;

    // The look and feel's images and the preset browser's row icons.
    juce::Array<Entry> widgetImages() const;

private:
    juce::Image stripFor (const SkinLayout::Control& control) const;
    juce::Image buttonStrip (const SkinLayout::Control& control) const;
    juce::Image meterStrip (const SkinLayout::Control& control) const;

    void add (juce::Array<Entry>& entries, const juce::String& fileName, const juce::Image& image, int frames = 1) const;

    const SkinLayout& layout;
    const ArtFonts& fonts;
    const int scale;
};
