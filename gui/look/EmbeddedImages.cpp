#include "gui/look/EmbeddedImages.h"

#include "framework/EmbeddedResources.h"
#include "gui/look/FallbackImages.h"
#include "gui/look/ImageSets.h"

namespace
{
constexpr const char* textButtonPartNames[] = { "Left", "Middle", "Right", "LeftPressed",
                                                "MiddlePressed", "RightPressed", "Overlay" };

juce::int64 cacheKey (const juce::String& fileName)
{
    return ("QuilvernEmbeddedImage:" + fileName.toLowerCase()).hashCode64();
}
} // namespace

juce::Image EmbeddedImages::load (const juce::String& fileName)
{
    const auto key = cacheKey (fileName);
    auto image = juce::ImageCache::getFromHashCode (key);

    if (! image.isValid())
    {
        image = EmbeddedResources::loadResourceImageWhenDrawn (fileName);

        if (image.isValid())
        {
            ImageSets::markAsEmbedded (image, fileName);
            juce::ImageCache::addImageToCache (image, key);
        }
    }

    return image;
}

juce::Image EmbeddedImages::loadOrDraw (const juce::String& fileName, int width, int height, const Painter& painter)
{
    if (auto image = load (fileName); image.isValid())
        return image;

    // Cached under a name of its own, so that a PNG added later wins.
    const auto key = cacheKey ("fallback:" + fileName);
    auto image = juce::ImageCache::getFromHashCode (key);

    if (! image.isValid())
    {
        image = juce::Image (juce::Image::ARGB, width, height, true);
        juce::Graphics g (image);
        painter (g, image.getBounds().toFloat());
        juce::ImageCache::addImageToCache (image, key);
    }

    return image;
}

juce::Image EmbeddedImages::getCheckBox (bool ticked)
{
    return loadOrDraw (ticked ? "CheckBoxOn.png" : "CheckBoxOff.png", 15, 14,
                       [ticked] (juce::Graphics& g, juce::Rectangle<float> r) { FallbackImages::drawCheckBox (g, r, ticked); });
}

juce::Image EmbeddedImages::getRadioButton (bool selected)
{
    return loadOrDraw (selected ? "RadioButtonOn.png" : "RadioButtonOff.png", 15, 14,
                       [selected] (juce::Graphics& g, juce::Rectangle<float> r) { FallbackImages::drawRadioButton (g, r, selected); });
}

juce::Image EmbeddedImages::getImageButton (int kind, int style, bool pressed)
{
    if (kind < 0 || kind >= numImageButtonKinds)
        return {};

    const bool large = style == 2;
    const int size = large ? 43 : 27;
    const auto name = "ImageButton" + juce::String (kind) + (large ? "Large" : "Small") + (pressed ? "Pressed" : "") + ".png";

    return loadOrDraw (name, size, size, [kind, pressed] (juce::Graphics& g, juce::Rectangle<float> r) {
        FallbackImages::drawImageButton (g, r, kind, pressed);
    });
}

juce::Image EmbeddedImages::getTextButtonPart (int style, TextButtonPart part)
{
    if (part < 0 || part >= numTextButtonParts)
        return {};

    return load (juce::String ("TextButton") + (style == 2 ? "Large" : "") + textButtonPartNames[part] + ".png");
}

juce::Image EmbeddedImages::getWindowTitleIcon()
{
    return loadOrDraw ("WindowTitleIcon.png", 24, 24, FallbackImages::drawTitleIcon);
}

juce::Image EmbeddedImages::getWindowShadow (int side)
{
    static constexpr const char* names[] = { "Top", "Bottom", "Left", "Right" };

    if (side < shadowTop || side > shadowRight)
        return {};

    const bool horizontal = side == shadowTop || side == shadowBottom;

    return loadOrDraw (juce::String ("WindowShadow") + names[side - 1] + ".png", horizontal ? 40 : 10, horizontal ? 10 : 40,
                       [side] (juce::Graphics& g, juce::Rectangle<float> r) { FallbackImages::drawShadow (g, r, side); });
}
