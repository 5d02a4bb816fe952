#pragma once

#include "tools/art/ArtCatalogue.h"

// Pictures for judging the art, written outside the resources: the face as
// the editor composes it (background plus one frame of every strip at its
// place), enlarged copies, and a contact sheet of every strip's frames;
// for either scale of the art.
class ArtPreview
{
public:
    ArtPreview (const SkinLayout& layout, const juce::Array<ArtCatalogue::Entry>& faceImages,
                const juce::Array<ArtCatalogue::Entry>& widgetImages, int scale);

    // position 0 to 1 picks each strip's frame as the controls do:
    // floor((frames - 1) position + 0.5).
    juce::Image composeFace (float position) const;

    // The 2x set's pictures are enlarged half as much as the 1x set's, so
    // that both show the face at the same size.
    juce::Result writeAll (const juce::File& folder, float position) const;

    static juce::Image enlarged (const juce::Image& image, int factor);

private:
    int enlargement (int factorAt1x) const;
    juce::Image stripSheet (const ArtCatalogue::Entry& entry, int factor) const;
    juce::Image widgetSheet (int factor) const;
    juce::Image assembledSamples() const;
    juce::Image fontSheet (const juce::Image& font) const;
    void paintTextButton (juce::Graphics& g, const juce::String& prefix, bool pressed, juce::Rectangle<int> area) const;
    juce::Image widget (const juce::String& fileName) const;
    const ArtCatalogue::Entry* findImage (const juce::String& fileName) const;
    bool isHidden (const SkinLayout::Control& control, float position) const;

    const SkinLayout& layout;
    juce::Array<ArtCatalogue::Entry> face, widgets;
    const int scale;
};
