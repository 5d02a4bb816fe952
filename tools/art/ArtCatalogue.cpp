#include "tools/art/ArtCatalogue.h"

#include "tools/art/ArtScale.h"
#include "tools/art/BrowserIcons.h"
#include "tools/art/FacePainter.h"
#include "tools/art/FontStrip.h"
#include "tools/art/IndicatorStrips.h"
#include "tools/art/KnobStrips.h"
#include "tools/art/PanelButtonStrip.h"
#include "tools/art/SyncSwitchStrip.h"
#include "tools/art/WidgetImages.h"
#include "tools/art/WindowImages.h"

namespace
{
constexpr int faceWidth = 633;
constexpr int faceHeight = 207;

// The header's button caps share one row on the face, whatever the
// heights of their strips.
constexpr int buttonCapTop = 21;
constexpr int buttonCapSize = 28;

// The two meters' segment columns, on the face, so that they line up
// although their strips start one row apart.
const juce::Rectangle<int> meterColumns[] = { { 567, 105, 14, 77 }, { 591, 105, 14, 77 } };

struct ButtonSymbol
{
    const char* control;
    Pictograms::Symbol symbol;
};

const ButtonSymbol buttonSymbols[] = {
    { "OptionsButton", Pictograms::gear },
    { "PrevPresetButton", Pictograms::triangleLeft },
    { "NextPresetButton", Pictograms::triangleRight },
    { "BrowsePresetButton", Pictograms::list },
};

juce::String imageButtonName (int kind, bool large, bool pressed)
{
    return "ImageButton" + juce::String (kind) + (large ? "Large" : "Small") + (pressed ? "Pressed" : "") + ".png";
}
} // namespace

ArtCatalogue::ArtCatalogue (const SkinLayout& skinLayout, const ArtFonts& artFonts, int artScale)
    : layout (skinLayout), fonts (artFonts), scale (artScale)
{
}

void ArtCatalogue::add (juce::Array<Entry>& entries, const juce::String& fileName, const juce::Image& image, int frames) const
{
    entries.add ({ ArtScale::fileName (fileName, scale), image, frames });
}

juce::Array<ArtCatalogue::Entry> ArtCatalogue::faceImages() const
{
    juce::Array<Entry> entries;
    add (entries, layout.getBackgroundResource(), FacePainter (layout, fonts).render (faceWidth, faceHeight, scale));

    for (const auto& control : layout.getControls())
    {
        if (control.tag == "Display")
            add (entries, control.resource, FontStrip::render (scale));
        else if (control.resource.isNotEmpty())
            add (entries, control.resource, stripFor (control), control.frames);
    }

    return entries;
}

juce::Image ArtCatalogue::stripFor (const SkinLayout::Control& control) const
{
    const auto& name = control.name;
    const int width = control.bounds.getWidth();
    const int height = control.bounds.getHeight();

    if (control.tag == "Button")
        return buttonStrip (control);

    if (name.endsWith ("VUMeter"))
        return meterStrip (control);

    if (name.endsWith ("ValueLed"))
        return IndicatorStrips::oscillatorLight (width, height, control.frames, scale);

    if (name.endsWith ("TempoSyncSwitch"))
        return SyncSwitchStrip::render (width, height, scale);

    if (name.endsWith ("RateSwitch"))
        return KnobStrips::noteRate (width, height, control.frames, scale);

    if (name.endsWith ("RateKnob"))
        return KnobStrips::freeRate (width, height, control.frames, scale);

    if (name.endsWith ("WaveKnob"))
        return KnobStrips::wave (width, height, scale);

    if (name == "StagesKnob")
        return KnobStrips::stages (width, height, scale);

    return KnobStrips::continuous (width, height, control.frames, scale);
}

juce::Image ArtCatalogue::buttonStrip (const SkinLayout::Control& control) const
{
    auto symbol = Pictograms::list;

    for (const auto& entry : buttonSymbols)
        if (control.name == entry.control)
            symbol = entry.symbol;

    const auto& bounds = control.bounds;
    const juce::Rectangle<float> cap ((float) (bounds.getCentreX() - buttonCapSize / 2 - bounds.getX()),
                                      (float) (buttonCapTop - bounds.getY()),
                                      (float) buttonCapSize, (float) buttonCapSize);
    return PanelButtonStrip::render (bounds.getWidth(), bounds.getHeight(), cap, symbol, scale);
}

juce::Image ArtCatalogue::meterStrip (const SkinLayout::Control& control) const
{
    const auto& column = meterColumns[control.name.startsWith ("Left") ? 0 : 1];
    return IndicatorStrips::levelMeter (control.bounds.getWidth(), control.bounds.getHeight(), control.frames,
                                        column - control.bounds.getPosition(), scale);
}

juce::Array<ArtCatalogue::Entry> ArtCatalogue::widgetImages() const
{
    juce::Array<Entry> entries;
    add (entries, "CheckBoxOff.png", WidgetImages::checkBox (false, scale));
    add (entries, "CheckBoxOn.png", WidgetImages::checkBox (true, scale));
    add (entries, "RadioButtonOff.png", WidgetImages::radioButton (false, scale));
    add (entries, "RadioButtonOn.png", WidgetImages::radioButton (true, scale));

    for (int kind = 0; kind < Pictograms::imageButtonKinds; ++kind)
        for (const bool large : { false, true })
            for (const bool pressed : { false, true })
                add (entries, imageButtonName (kind, large, pressed),
                     WidgetImages::imageButton (kind, large ? WidgetImages::largeButtonSize : WidgetImages::smallButtonSize, pressed, scale));

    for (const auto& [prefix, set] : { std::pair { juce::String ("TextButton"), WidgetImages::textButton (28, 15, 15, scale) },
                                       std::pair { juce::String ("TextButtonLarge"), WidgetImages::textButton (32, 15, 14, scale) } })
        for (const auto& [suffix, image] : set)
            add (entries, prefix + suffix + ".png", image);

    add (entries, "WindowTitleIcon.png", WindowImages::titleIcon (scale));
    add (entries, "WindowShadowTop.png", WindowImages::shadow (WindowImages::Side::top, scale));
    add (entries, "WindowShadowBottom.png", WindowImages::shadow (WindowImages::Side::bottom, scale));
    add (entries, "WindowShadowLeft.png", WindowImages::shadow (WindowImages::Side::left, scale));
    add (entries, "WindowShadowRight.png", WindowImages::shadow (WindowImages::Side::right, scale));

    add (entries, "GroupIcon.png", BrowserIcons::group (false, scale));
    add (entries, "GroupIconSelected.png", BrowserIcons::group (true, scale));
    add (entries, "PresetIcon.png", BrowserIcons::preset (false, scale));
    add (entries, "PresetIconSelected.png", BrowserIcons::preset (true, scale));
    return entries;
}
