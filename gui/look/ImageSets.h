#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Every embedded picture comes in two sets: Name.png at 1x and Name@2x.png,
// exactly twice as wide and high (a film strip with the same frames). The
// editor keeps and lays out the 1x images; whoever draws one draws it here,
// and the set is chosen by the scale the graphics context really has (the
// host's, the desktop's and the user's zoom together): above 1.25 the 2x
// set, drawn 1:1 at 2x and resampled in between, below it the 1x set. So no
// 1x bitmap is ever blown up by more than a quarter.
//
// The 2x image is decoded when it is first drawn, and then kept with its 1x
// image, for as long as that one lives (the 1x images are shared through
// JUCE's image cache). Message thread only.
class ImageSets
{
public:
    static constexpr float largestBlowUpOf1x = 1.25f;

    // Marks an image decoded from the embedded file as that file's 1x set.
    static void markAsEmbedded (juce::Image& image, const juce::String& fileName);
    // "Knob.png" -> "Knob@2x.png".
    static juce::String getDoubleSetName (const juce::String& fileName);

    static bool wantsDoubleSet (float physicalScale) noexcept { return physicalScale > largestBlowUpOf1x; }
    static float getPhysicalScale (juce::Graphics& g);

    // The image's 2x partner, decoded on first use; invalid for an image of
    // no embedded file, or whose partner is missing or not twice its size.
    static juce::Image getDoubleSet (const juce::Image& image);
    static bool hasDecodedDoubleSet (const juce::Image& image);

    // The image to draw at the context's scale, and its size over the 1x
    // image's (2 for the 2x set, else 1).
    struct Choice
    {
        juce::Image image;
        int factor = 1;
    };
    static Choice choose (juce::Graphics& g, const juce::Image& image);

    // The part of the 1x image given in 1x pixels, into the destination.
    static void draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> destination,
                      juce::Rectangle<int> source);
    // The whole image, stretched into the destination.
    static void draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> destination);
    // The whole image at its 1x size.
    static void drawAt (juce::Graphics& g, const juce::Image& image, int x, int y);

    // Pictures drawn side by side (a button's caps and middle, a display's
    // character cells) meet between two physical pixels at a scale such as
    // 1.5, where each one's soft edge lets a faint seam through. At such a
    // scale they are drawn by drawParts into one picture of the area at
    // the chosen set's size first, which is then drawn as a whole; at a
    // whole scale straight into the context.
    static void drawSideBySide (juce::Graphics& g, juce::Rectangle<int> area,
                                const std::function<void (juce::Graphics&)>& drawParts);
};
