#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

// Where a graphics context's user space lands on its pixels: the whole
// transform, which JUCE reads out nowhere (it gives only the scale). Known
// for JUCE's software renderer, which draws every window and image on Linux
// and Windows; nothing for any other context.
class DeviceTransform
{
public:
    static std::optional<juce::AffineTransform> of (juce::Graphics& g);
};
