#include "tools/art/CastShadow.h"

#include "tools/art/ArtScale.h"

void CastShadow::draw (juce::Graphics& g, const juce::DropShadow& shadow, const juce::Path& shape)
{
    const int scale = ArtScale::of (g);

    if (scale == 1)
    {
        shadow.drawForPath (g, shape);
        return;
    }

    // Cast at the device's size into a layer of its own, placed on whole units.
    const juce::DropShadow scaled (shadow.colour, shadow.radius * scale, shadow.offset * scale);
    const int reach = shadow.radius + juce::jmax (std::abs (shadow.offset.x), std::abs (shadow.offset.y)) + 1;
    const auto area = shape.getBounds().getSmallestIntegerContainer().expanded (reach);
    auto layer = ArtScale::image (juce::Image::ARGB, area.getWidth(), area.getHeight(), scale);

    {
        juce::Graphics lg (layer);
        auto path = shape;
        path.applyTransform (juce::AffineTransform::translation (-area.getPosition().toFloat()).scaled ((float) scale));
        scaled.drawForPath (lg, path);
    }

    ArtScale::drawPixels (g, layer, area.getPosition());
}
