#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// The small pictures on the framework's image buttons (kinds 0 to 16, in
// the order the look and feel numbers them) and on the face's buttons.
// Each is drawn on a 14 x 14 grid scaled into the given square, so at
// 1 unit per pixel its lines fall on whole pixels.
class Pictograms
{
public:
    enum Symbol
    {
        cross, documents, scissors, clipboard, documentWithCross,
        triangleDown, triangleUp, triangleLeft, triangleRight,
        plus, minus, folderWithRays, wasteBin, circleArrows, gear, openFolder, floppyDisk,
        list // the face's browse button; not an image-button kind
    };

    static constexpr int imageButtonKinds = 17;
    static constexpr float grid = 14.0f;

    // ink draws the lines and solid parts, paper fills sheets and labels.
    static void paint (juce::Graphics& g, Symbol symbol, juce::Rectangle<float> area, juce::Colour ink, juce::Colour paper);

    // A symbol is drawn in layers, back to front; each layer's paper is
    // filled before its ink, so a front sheet hides what lies behind it.
    struct Layer
    {
        juce::Path paper, ink;
    };

    static std::vector<Layer> layers (Symbol symbol);

private:
    static juce::Path inkPath (Symbol symbol);
};
