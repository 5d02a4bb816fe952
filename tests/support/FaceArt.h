#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

// What part of the face should look like at a scale, drawn straight from the
// art files the way the editor draws them: the background, and over it the
// feedback knob's frame, each from the 1x set at up to 1.25 and from the 2x
// set above. A host test compares what its window shows with it: a face
// blown up from the 1x set differs at every edge.
struct FaceArt
{
    static constexpr int knobX = 26, knobY = 150, knobWidth = 36, knobHeight = 35, knobFrames = 61;
    // The knob and the bare face around it, in 1x pixels; every corner lands
    // on a whole pixel at 1.5 and 2.
    static inline const juce::Rectangle<int> knobArea { 20, 144, 48, 46 };

    static juce::Image load (const juce::String& name, bool doubleSet)
    {
        const auto file = juce::File (QUILVERN_SOURCE_DIR).getChildFile ("resources").getChildFile (name + (doubleSet ? "@2x.png" : ".png"));
        return juce::ImageFileFormat::loadFrom (file);
    }

    // The 1x area at the scale: round (area x scale) pixels.
    static juce::Image render (juce::Rectangle<int> area, float scale, int knobFrame)
    {
        const bool doubleSet = scale > 1.25f;
        const float factor = doubleSet ? 2.0f : 1.0f;
        juce::Image image (juce::Image::RGB, juce::roundToInt ((float) area.getWidth() * scale),
                           juce::roundToInt ((float) area.getHeight() * scale), true);
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::translation ((float) -area.getX(), (float) -area.getY()).scaled (scale));
        g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);

        g.drawImageTransformed (load ("Background", doubleSet), juce::AffineTransform::scale (1.0f / factor));

        const auto strip = load ("FeedbackKnob", doubleSet);
        const int frameHeight = juce::roundToInt (knobHeight * factor);
        g.drawImageTransformed (strip.getClippedImage ({ 0, knobFrame * frameHeight, strip.getWidth(), frameHeight }),
                                juce::AffineTransform::scale (1.0f / factor).translated ((float) knobX, (float) knobY));
        return image;
    }

    // The best share over the knob's frames, for a host that cannot set the
    // knob's value.
    static double bestShareMatching (const std::vector<std::uint32_t>& captured, float scale, int tolerance)
    {
        double best = 0.0;

        for (int frame = 0; frame < knobFrames; ++frame)
            best = juce::jmax (best, shareMatching (captured, render (knobArea, scale, frame), tolerance));

        return best;
    }

    // The share of the captured pixels (0xRRGGBB, row by row) within
    // `tolerance` levels of the picture's in every channel.
    static double shareMatching (const std::vector<std::uint32_t>& captured, const juce::Image& picture, int tolerance)
    {
        if (captured.size() != (size_t) (picture.getWidth() * picture.getHeight()) || captured.empty())
            return 0.0;

        size_t matching = 0;

        for (int y = 0; y < picture.getHeight(); ++y)
            for (int x = 0; x < picture.getWidth(); ++x)
            {
                const auto expected = picture.getPixelAt (x, y).getARGB();
                const auto seen = captured[(size_t) (y * picture.getWidth() + x)];
                bool close = true;

                for (int shift : { 0, 8, 16 })
                    close = close && std::abs ((int) ((expected >> shift) & 0xff) - (int) ((seen >> shift) & 0xff)) <= tolerance;

                matching += close ? 1 : 0;
            }

        return (double) matching / (double) captured.size();
    }
};
