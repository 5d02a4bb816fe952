#include "tools/art/ArtCatalogue.h"

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

ArtCatalogue::ArtCatalogue (const SkinLayout& skinLayout, const ArtFonts& artFonts)
    : layout (skinLayout), fonts (artFonts)
{
}

juce::Array<ArtCatalogue::Entry> ArtCatalogue::faceImages() const
{
    juce::Array<Entry> entries;
    entries.add ({ layout.getBackgroundResource(), FacePainter (layout, fonts).render (faceWidth, faceHeight), 1 });

    for (const auto& control : layout.getControls())
    {
        if (control.tag == "Display")
            entries.add ({ control.resource, FontStrip::render(), 1 });
        else if (control.resource.isNotEmpty())
            entries.add ({ control.resource, stripFor (control), control.frames });
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
        return IndicatorStrips::oscillatorLight (width, height, control.frames);

    if (name.endsWith ("TempoSyncSwitch"))
        return SyncSwitchStrip::render (width, height);

    if (name.endsWith ("RateSwitch"))
        return KnobStrips::noteRate (width, height, control.frames);

    if (name.endsWith ("RateKnob"))
        return KnobStrips::freeRate (width, height, control.frames);

    if (name.endsWith ("WaveKnob"))
        return KnobStrips::wave (width, height);

    if (name == "StagesKnob")
        return KnobStrips::stages (width, height);

    return KnobStrips::continuous (width, height, control.frames);
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
    return PanelButtonStrip::render (bounds.getWidth(), bounds.getHeight(), cap, symbol);
}

juce::Image ArtCatalogue::meterStrip (const SkinLayout::Control& control) const
{
    const auto& column = meterColumns[control.name.startsWith ("Left") ? 0 : 1];
    return IndicatorStrips::levelMeter (control.bounds.getWidth(), control.bounds.getHeight(), control.frames,
                                        column - control.bounds.getPosition());
}

juce::Array<ArtCatalogue::Entry> ArtCatalogue::widgetImages() const
{
    juce::Array<Entry> entries;
    entries.add ({ "CheckBoxOff.png", WidgetImages::checkBox (false) });
    entries.add ({ "CheckBoxOn.png", WidgetImages::checkBox (true) });
    entries.add ({ "RadioButtonOff.png", WidgetImages::radioButton (false) });
    entries.add ({ "RadioButtonOn.png", WidgetImages::radioButton (true) });

    for (int kind = 0; kind < Pictograms::imageButtonKinds; ++kind)
        for (const bool large : { false, true })
            for (const bool pressed : { false, true })
                entries.add ({ imageButtonName (kind, large, pressed),
                               WidgetImages::imageButton (kind, large ? WidgetImages::largeButtonSize : WidgetImages::smallButtonSize, pressed) });

    for (const auto& [prefix, set] : { std::pair { juce::String ("TextButton"), WidgetImages::textButton (28, 15, 15) },
                                       std::pair { juce::String ("TextButtonLarge"), WidgetImages::textButton (32, 15, 14) } })
        for (const auto& [suffix, image] : set)
            entries.add ({ prefix + suffix + ".png", image });

    entries.add ({ "WindowTitleIcon.png", WindowImages::titleIcon() });
    entries.add ({ "WindowShadowTop.png", WindowImages::shadow (WindowImages::Side::top) });
    entries.add ({ "WindowShadowBottom.png", WindowImages::shadow (WindowImages::Side::bottom) });
    entries.add ({ "WindowShadowLeft.png", WindowImages::shadow (WindowImages::Side::left) });
    entries.add ({ "WindowShadowRight.png", WindowImages::shadow (WindowImages::Side::right) });

    entries.add ({ "GroupIcon.png", BrowserIcons::group (false) });
    entries.add ({ "GroupIconSelected.png", BrowserIcons::group (true) });
    entries.add ({ "PresetIcon.png", BrowserIcons::preset (false) });
    entries.add ({ "PresetIconSelected.png", BrowserIcons::preset (true) });
    return entries;
}
