#include "tools/art/FacePainter.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"

namespace
{
// The face's sections, left to right, between engraved grooves.
constexpr int headerBottom = 62;
constexpr int outputLeft = 548;
constexpr int sectionGrooves[] = { 70, 271, 476 };
constexpr int titleBaseline = 75;
constexpr int topLabelBaseline = 12;

struct Section
{
    const char* title;
    int left, right;
};

const Section sections[] = {
    { "PHASER", 18, 70 },
    { "LFO 1", 70, 271 },
    { "LFO 2", 271, 476 },
    { "STEREO", 476, 548 },
};

// Labels written above controls (centred on them, just over their top).
struct ControlLabel
{
    const char* control;
    const char* text;
    int gap;
};

const ControlLabel controlLabels[] = {
    { "StagesKnob", "STAGES", 3 },
    { "FeedbackKnob", "FEEDBACK", 3 },
    { "LFO1RateKnob", "RATE", 3 },
    { "LFO1DepthKnob", "DEPTH", 3 },
    { "LFO1OffsetKnob", "OFFSET", 3 },
    { "LFO1WaveKnob", "WAVE", 3 },
    { "LFO2RateKnob", "RATE", 3 },
    { "LFO2DepthKnob", "DEPTH", 3 },
    { "LFO2WaveKnob", "WAVE", 3 },
    { "StereoPhaseKnob", "PHASE", 3 },
    { "FXKnob", "FX", 3 },
    { "OutputVolumeKnob", "OUTPUT", 4 },
    { "LeftVUMeter", "L", 3 },
    { "RightVUMeter", "R", 4 },
};

// Labels in the row above the header's controls.
struct HeaderLabel
{
    const char* control;
    const char* text;
};

const HeaderLabel headerLabels[] = {
    { "OptionsButton", "OPTIONS" },
    { "PresetNameDisplay", "PRESET" },
    { "PrevPresetButton", "PREV" },
    { "NextPresetButton", "NEXT" },
    { "BrowsePresetButton", "BROWSE" },
};

const char* const syncSwitches[] = { "LFO1TempoSyncSwitch", "LFO2TempoSyncSwitch" };
} // namespace

FacePainter::FacePainter (const SkinLayout& skinLayout, const ArtFonts& artFonts)
    : layout (skinLayout), fonts (artFonts)
{
}

juce::Font FacePainter::labelFont() const
{
    return fonts.bold (9.5f).withExtraKerningFactor (0.03f);
}

juce::Font FacePainter::titleFont() const
{
    return fonts.bold (11.0f).withExtraKerningFactor (0.1f);
}

juce::Image FacePainter::render (int width, int height, int scale) const
{
    auto face = ArtScale::image (juce::Image::RGB, width, height, scale);
    juce::Graphics g (face);
    ArtScale::apply (g, scale);
    const juce::Rectangle<int> area (width, height);

    paintPanels (g, area);
    paintGrooves (g);
    paintScrews (g, area);
    paintSeats (g);
    paintDisplayBezel (g);
    paintMeterHousing (g);
    paintSectionTitles (g);
    paintControlLabels (g);
    paintScaleMarks (g);
    paintSweepDiagram (g);
    paintBrand (g);
    return face;
}

void FacePainter::paintPanels (juce::Graphics& g, juce::Rectangle<int> area) const
{
    g.setGradientFill ({ ArtPalette::panelTop, 0.0f, 0.0f, ArtPalette::panelBottom, 0.0f, (float) area.getBottom(), false });
    g.fillRect (area);

    const juce::Rectangle<int> header (0, 0, outputLeft, headerBottom);
    g.setGradientFill ({ ArtPalette::headerTop, 0.0f, 0.0f, ArtPalette::headerBottom, 0.0f, (float) headerBottom, false });
    g.fillRect (header);
    paintBrushing (g, area);

    // The header's lower edge and the output column's left edge.
    g.setColour (ArtPalette::groove);
    g.fillRect (0, headerBottom, outputLeft, 1);
    g.setColour (ArtPalette::grooveLight);
    g.fillRect (0, headerBottom + 1, outputLeft, 1);

    // Outer bevel of the whole face.
    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.drawRect (area, 1);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRect (area.removeFromBottom (1));
}

void FacePainter::paintBrushing (juce::Graphics& g, juce::Rectangle<int> area) const
{
    // Fine horizontal streaks, always the same so that the art regenerates
    // to the same pixels.
    juce::Random random (20240611);

    for (int streak = 0; streak < 900; ++streak)
    {
        const float y = (float) random.nextInt (area.getHeight());
        const float x = (float) random.nextInt (area.getWidth());
        const float length = 20.0f + 80.0f * random.nextFloat();
        const bool light = random.nextBool();
        g.setColour ((light ? juce::Colours::white : juce::Colours::black).withAlpha (0.012f + 0.02f * random.nextFloat()));
        g.fillRect (x, y, length, 1.0f);
    }
}

void FacePainter::paintGrooves (juce::Graphics& g) const
{
    for (int x : sectionGrooves)
    {
        g.setColour (ArtPalette::groove);
        g.fillRect (x, headerBottom + 8, 1, 130);
        g.setColour (ArtPalette::grooveLight);
        g.fillRect (x + 1, headerBottom + 8, 1, 130);
    }

    g.setColour (ArtPalette::groove);
    g.fillRect (outputLeft, 0, 1, 207);
    g.setColour (ArtPalette::grooveLight);
    g.fillRect (outputLeft + 1, 0, 1, 207);
}

void FacePainter::paintScrews (juce::Graphics& g, juce::Rectangle<int> area) const
{
    const auto inner = area.toFloat().reduced (7.5f);

    for (auto centre : { inner.getTopLeft(), inner.getTopRight(), inner.getBottomLeft(), inner.getBottomRight() })
    {
        const auto head = juce::Rectangle<float> (6.0f, 6.0f).withCentre (centre);
        g.setColour (juce::Colours::black.withAlpha (0.6f));
        g.fillEllipse (head.translated (0.5f, 1.0f).expanded (0.5f));
        g.setGradientFill ({ juce::Colour (0xff8d9198), head.getX(), head.getY(), juce::Colour (0xff3a3d42), head.getRight(), head.getBottom(), false });
        g.fillEllipse (head);
        g.setColour (juce::Colours::black.withAlpha (0.7f));
        g.drawLine ({ head.getX() + 1.2f, head.getBottom() - 1.2f, head.getRight() - 1.2f, head.getY() + 1.2f }, 1.0f);
    }
}

void FacePainter::paintSeats (juce::Graphics& g) const
{
    for (const auto& control : layout.getControls())
        if (control.tag == "Knob" && ! control.name.contains ("Rate") && ! control.name.contains ("Wave"))
            paintKnobSeat (g, control.bounds);
}

void FacePainter::paintKnobSeat (juce::Graphics& g, juce::Rectangle<int> bounds) const
{
    const auto seat = bounds.toFloat().withSizeKeepingCentre (bounds.getWidth() - 1.0f, bounds.getWidth() - 1.0f);
    g.setColour (juce::Colours::black.withAlpha (0.22f));
    g.fillEllipse (seat);
    g.setColour (juce::Colours::white.withAlpha (0.05f));
    g.drawEllipse (seat.translated (0.0f, 0.5f), 0.8f);
}

void FacePainter::paintDisplayBezel (juce::Graphics& g) const
{
    const auto display = layout.boundsOf ("PresetNameDisplay");
    const auto window = display.expanded (4, 5).toFloat();

    g.setColour (juce::Colours::white.withAlpha (0.10f));
    g.fillRoundedRectangle (window.expanded (1.0f).translated (0.0f, 1.0f), 3.0f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (window.expanded (1.0f), 3.0f);
    g.setColour (ArtPalette::displayBackground);
    g.fillRoundedRectangle (window, 2.0f);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillRect (window.withHeight (1.0f).reduced (2.0f, 0.0f));
}

void FacePainter::paintMeterHousing (juce::Graphics& g) const
{
    const auto meters = layout.boundsOf ("LeftVUMeter").getUnion (layout.boundsOf ("RightVUMeter"));
    const auto housing = meters.toFloat().reduced (3.0f, 3.0f);

    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.fillRoundedRectangle (housing.translated (0.0f, 1.0f), 3.0f);
    g.setColour (juce::Colours::black.withAlpha (0.75f));
    g.fillRoundedRectangle (housing, 3.0f);
}

void FacePainter::paintSectionTitles (juce::Graphics& g) const
{
    const auto font = titleFont();

    for (const auto& section : sections)
    {
        const float centre = ((float) section.left + (float) section.right) * 0.5f;
        const float textWidth = font.getStringWidthFloat (section.title);
        const float ruleY = (float) titleBaseline - 4.0f;

        const float ruleLength = centre - textWidth * 0.5f - 11.0f - (float) section.left;

        // Rules either side of the title where there is room for them.
        if (ruleLength >= 8.0f)
        {
            g.setColour (ArtPalette::silkscreenDim.withAlpha (0.7f));
            g.fillRect (juce::Rectangle<float> ((float) section.left + 6.0f, ruleY, ruleLength, 1.0f));
            g.fillRect (juce::Rectangle<float> (centre + textWidth * 0.5f + 5.0f, ruleY, ruleLength, 1.0f));
        }

        paintLabel (g, section.title, centre, (float) titleBaseline, font, ArtPalette::titleText);
    }
}

void FacePainter::paintControlLabels (juce::Graphics& g) const
{
    const auto font = labelFont();

    for (const auto& label : controlLabels)
    {
        const auto bounds = layout.boundsOf (label.control);
        paintLabel (g, label.text, (float) bounds.getCentreX(), (float) (bounds.getY() - label.gap), font, ArtPalette::silkscreen);
    }

    for (const auto& label : headerLabels)
    {
        const auto bounds = layout.boundsOf (label.control);
        paintLabel (g, label.text, (float) bounds.getCentreX(), (float) topLabelBaseline, fonts.bold (8.0f), ArtPalette::silkscreenDim);
    }

    // The sync switches are named beside their windows.
    for (const auto* name : syncSwitches)
    {
        const auto bounds = layout.boundsOf (name);
        const float width = font.getStringWidthFloat ("SYNC");
        paintLabel (g, "SYNC", (float) bounds.getX() + 4.0f - width * 0.5f, (float) bounds.getY() + 9.0f, font, ArtPalette::silkscreen);
    }
}

void FacePainter::paintScaleMarks (juce::Graphics& g) const
{
    const auto font = fonts.bold (8.0f);
    const auto fx = layout.boundsOf ("FXKnob");
    paintLabel (g, "DRY", (float) fx.getX() - 2.0f, (float) fx.getBottom() + 5.0f, font, ArtPalette::silkscreenDim);
    paintLabel (g, "WET", (float) fx.getRight() + 2.0f, (float) fx.getBottom() + 5.0f, font, ArtPalette::silkscreenDim);
}

void FacePainter::paintSweepDiagram (juce::Graphics& g) const
{
    // Where LFO 1 has its offset, LFO 2 shows how the two combine: their
    // sum sweeps the phaser.
    const auto font = fonts.bold (8.0f);
    const auto sync = layout.boundsOf ("LFO2TempoSyncSwitch");
    const float centreY = (float) sync.getBottom() + 33.0f;
    const float left = (float) sync.getX() + 4.0f;
    const auto colour = ArtPalette::silkscreenDim;

    for (int lfo = 0; lfo < 2; ++lfo)
    {
        const auto circle = juce::Rectangle<float> (13.0f, 13.0f).withCentre ({ left + 7.0f + 22.0f * (float) lfo, centreY });
        g.setColour (colour);
        g.drawEllipse (circle, 1.0f);
        paintLabel (g, juce::String (lfo + 1), circle.getCentreX() + 0.5f, circle.getCentreY() + 3.0f, font, colour);
    }

    g.fillRect (juce::Rectangle<float> (5.0f, 1.0f).withCentre ({ left + 18.0f, centreY }));
    g.fillRect (juce::Rectangle<float> (1.0f, 5.0f).withCentre ({ left + 18.0f, centreY }));

    juce::Path arrow;
    arrow.addArrow ({ left + 40.0f, centreY, left + 53.0f, centreY }, 1.0f, 5.0f, 4.0f);
    g.fillPath (arrow);

    juce::Path sweep;

    for (int step = 0; step <= 16; ++step)
    {
        const float t = (float) step / 16.0f;
        const juce::Point<float> p (left + 56.0f + 12.0f * t, centreY - 3.5f * std::sin (t * juce::MathConstants<float>::twoPi));
        step == 0 ? sweep.startNewSubPath (p) : sweep.lineTo (p);
    }

    g.strokePath (sweep, juce::PathStrokeType (1.2f));
    paintLabel (g, "SWEEP", left + 36.0f, centreY + 16.0f, font, colour);
}

void FacePainter::paintBrand (juce::Graphics& g) const
{
    const juce::Rectangle<float> brand (412.0f, 9.0f, 132.0f, 44.0f);
    const auto nameFont = fonts.bold (25.0f);

    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.setFont (nameFont);
    g.drawText ("Quilvern", brand.withHeight (30.0f).translated (0.0f, 1.0f), juce::Justification::centred, false);
    g.setColour (ArtPalette::titleText);
    g.drawText ("Quilvern", brand.withHeight (30.0f), juce::Justification::centred, false);

    paintLabel (g, "STEREO PHASER", brand.getCentreX(), 45.0f, fonts.bold (8.5f).withExtraKerningFactor (0.3f), ArtPalette::accent);
    paintLabel (g, "BRANNOCK GROUP AUDIO SOFTWARE", brand.getCentreX(), 56.0f, fonts.plain (7.5f), ArtPalette::silkscreenDim);

    paintEmblem (g, { 40.0f, 33.0f }, 17.0f);
}

void FacePainter::paintEmblem (juce::Graphics& g, juce::Point<float> centre, float radius) const
{
    const auto disc = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.fillEllipse (disc.translated (0.0f, 1.0f));
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.fillEllipse (disc);

    // Two waves a quarter cycle apart: the left and right channels' sweeps.
    for (int wave = 0; wave < 2; ++wave)
    {
        juce::Path path;
        const float phase = wave == 0 ? 0.0f : juce::MathConstants<float>::halfPi;

        for (int step = 0; step <= 40; ++step)
        {
            const float t = (float) step / 40.0f;
            const juce::Point<float> p (disc.getX() + 4.0f + t * (disc.getWidth() - 8.0f),
                                        centre.y - radius * 0.42f * std::sin (t * juce::MathConstants<float>::twoPi + phase));
            step == 0 ? path.startNewSubPath (p) : path.lineTo (p);
        }

        g.setColour (wave == 0 ? ArtPalette::accent : ArtPalette::silkscreen.withAlpha (0.7f));
        g.strokePath (path, juce::PathStrokeType (1.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }
}

void FacePainter::paintLabel (juce::Graphics& g, const juce::String& text, float centreX, float baseline,
                              const juce::Font& font, juce::Colour colour) const
{
    const auto width = font.getStringWidthFloat (text);
    const float x = std::round (centreX - width * 0.5f);

    g.setFont (font);
    g.setColour (juce::Colours::black.withAlpha (0.65f));
    g.drawSingleLineText (text, (int) x, (int) baseline + 1);
    g.setColour (colour);
    g.drawSingleLineText (text, (int) x, (int) baseline);
}
