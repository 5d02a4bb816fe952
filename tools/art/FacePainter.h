#pragma once

#include "tools/art/ArtFonts.h"
#include "tools/art/SkinLayout.h"

// The editor's background: a dark panel in sections, each control's seat
// prepared where the skin places it, every section and control labelled,
// the product's name and maker.
class FacePainter
{
public:
    FacePainter (const SkinLayout& layout, const ArtFonts& fonts);

    // width x height in units, `scale` times as many pixels.
    juce::Image render (int width, int height, int scale) const;

private:
    void paintPanels (juce::Graphics& g, juce::Rectangle<int> area) const;
    void paintBrushing (juce::Graphics& g, juce::Rectangle<int> area) const;
    void paintGrooves (juce::Graphics& g) const;
    void paintScrews (juce::Graphics& g, juce::Rectangle<int> area) const;
    void paintSeats (juce::Graphics& g) const;
    void paintKnobSeat (juce::Graphics& g, juce::Rectangle<int> bounds) const;
    void paintDisplayBezel (juce::Graphics& g) const;
    void paintMeterHousing (juce::Graphics& g) const;
    void paintSectionTitles (juce::Graphics& g) const;
    void paintControlLabels (juce::Graphics& g) const;
    void paintScaleMarks (juce::Graphics& g) const;
    void paintSweepDiagram (juce::Graphics& g) const;
    void paintBrand (juce::Graphics& g) const;
    void paintEmblem (juce::Graphics& g, juce::Point<float> centre, float radius) const;

    void paintLabel (juce::Graphics& g, const juce::String& text, float centreX, float baseline,
                     const juce::Font& font, juce::Colour colour) const;

    juce::Font labelFont() const;
    juce::Font titleFont() const;

    const SkinLayout& layout;
    const ArtFonts& fonts;
};
