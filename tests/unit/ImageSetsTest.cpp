// The image set painting takes at each scale of its graphics context, and
// how sharp the whole face is at 1.5 and 2.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "framework/EmbeddedResources.h"
#include "gui/look/ImageSets.h"
#include "gui/skin/FilmStrip.h"
#include "support/MessagePump.h"

#include <cmath>

namespace
{
juce::Image renderAt (juce::Component& component, float scale)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, scale);
}

// Pixels whose brightness gradient (Sobel) exceeds 96 levels, as a fraction
// of all: how much crisp detail a picture keeps.
double strongEdgeDensity (const juce::Image& image)
{
    const int width = image.getWidth(), height = image.getHeight();
    const juce::Image::BitmapData bitmap (image, juce::Image::BitmapData::readOnly);
    const auto at = [&] (int x, int y) {
        const auto c = bitmap.getPixelColour (x, y);
        return 0.299f * c.getRed() + 0.587f * c.getGreen() + 0.114f * c.getBlue();
    };
    int strong = 0;

    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
        {
            const float gx = at (x + 1, y - 1) + 2 * at (x + 1, y) + at (x + 1, y + 1) - at (x - 1, y - 1)
                           - 2 * at (x - 1, y) - at (x - 1, y + 1);
            const float gy = at (x - 1, y + 1) + 2 * at (x, y + 1) + at (x + 1, y + 1) - at (x - 1, y - 1)
                           - 2 * at (x, y - 1) - at (x + 1, y - 1);
            strong += std::hypot (gx, gy) / 4.0f > 96.0f ? 1 : 0;
        }

    return (double) strong / (double) ((width - 2) * (height - 2));
}

int countDifferentPixels (const juce::Image& a, const juce::Image& b)
{
    int different = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            different += a.getPixelAt (x, y).getARGB() != b.getPixelAt (x, y).getARGB() ? 1 : 0;

    return different;
}
} // namespace

// Each control draws its strip from the set the context's scale wants: the
// 2x set lands 1:1 on the pixels at 2, and a 1x bitmap is never blown up by
// more than 1.25. The 2x set is decoded only when first wanted.
TEST (ImageSets, AFilmStripFrameComesFromTheSetTheScaleWants)
{
    auto strip = EmbeddedResources::loadResourceImage ("FXKnob.png");
    ImageSets::markAsEmbedded (strip, "FXKnob.png");
    const auto strip2x = EmbeddedResources::loadResourceImage ("FXKnob@2x.png");
    const int frames = 61, frame = 17;
    const int width = strip.getWidth(), height = FilmStrip::frameHeight (strip, frames);
    ASSERT_EQ (strip2x.getWidth(), 2 * width);

    const auto render = [&] (float scale) {
        juce::Image image (juce::Image::ARGB, juce::roundToInt (width * scale), juce::roundToInt (height * scale), true);
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        FilmStrip::drawFrame (g, strip, frames, frame);
        return image;
    };

    EXPECT_EQ (countDifferentPixels (render (1.0f), strip.getClippedImage ({ 0, frame * height, width, height })), 0);
    render (1.25f);
    EXPECT_FALSE (ImageSets::hasDecodedDoubleSet (strip)) << "1.25 draws the 1x set";
    const auto twice = render (2.0f);
    EXPECT_TRUE (ImageSets::hasDecodedDoubleSet (strip));
    EXPECT_EQ (countDifferentPixels (twice, strip2x.getClippedImage ({ 0, 2 * frame * height, 2 * width, 2 * height })), 0);
}

TEST (ImageSets, TheDoubleSetIsTheSameFileWithTwiceTheSizeOrNone)
{
    EXPECT_EQ (ImageSets::getDoubleSetName ("Background.png"), "Background@2x.png");
    EXPECT_EQ (ImageSets::getDoubleSetName ("a.b.png"), "a.b@2x.png");

    auto background = EmbeddedResources::loadResourceImage ("Background.png");
    EXPECT_FALSE (ImageSets::getDoubleSet (background).isValid()) << "not marked as an embedded file";
    ImageSets::markAsEmbedded (background, "Background.png");
    EXPECT_EQ (ImageSets::getDoubleSet (background).getBounds(), background.getBounds() * 2);

    // A partner of another size (here the 1x image's own file) is none.
    auto mismatched = EmbeddedResources::loadResourceImage ("FXKnob.png");
    ImageSets::markAsEmbedded (mismatched, "Fonts.png");
    EXPECT_FALSE (ImageSets::getDoubleSet (mismatched).isValid());
    EXPECT_TRUE (ImageSets::hasDecodedDoubleSet (mismatched)) << "looked up once";
}

// The whole face at 2x keeps as many crisp edges per pixel as at 1x (the 1x
// face resampled keeps a third of them); at 1.5 the 2x set, downscaled,
// keeps over nine tenths (the 1x set blown up, about half).
TEST (ImageSets, TheFaceIsAsSharpAtEveryScale)
{
    auto plugin = createQuilvern (juce::File());
    auto& editor = *plugin->getEditorComponent();
    MessagePump::run();
    const auto face1x = renderAt (editor, 1.0f);
    const double reference = strongEdgeDensity (face1x);

    for (const float scale : { 1.5f, 2.0f })
    {
        const double density = strongEdgeDensity (renderAt (editor, scale));
        EXPECT_GT (density / reference, scale == 2.0f ? 0.95 : 0.85) << scale;
    }

    // At 2 the top left corner, where no control lies, is the 2x art itself.
    const auto face2x = renderAt (editor, 2.0f);
    const auto art = EmbeddedResources::loadResourceImage ("Background@2x.png");
    const juce::Rectangle<int> bare (4, 4, 40, 20);
    EXPECT_EQ (countDifferentPixels (face2x.getClippedImage (bare), art.getClippedImage (bare)), 0);
}

// Two pictures side by side meet between two physical pixels at 1.5 (7
// logical pixels are 10.5): drawn one by one each leaves a soft edge there
// through which the black behind shows as a seam; drawn side by side the
// column is as white as the pictures. At 1 and 2 they are exact either way.
TEST (ImageSets, PicturesSideBySideMeetWithoutASeamAtEveryScale)
{
    juce::Image white (juce::Image::ARGB, 7, 9, false);
    white.clear (white.getBounds(), juce::Colours::white);

    for (const float scale : { 1.0f, 1.25f, 1.5f, 1.75f, 2.0f })
    {
        const int width = (int) std::ceil (14 * scale), height = (int) std::ceil (9 * scale);
        juce::Image target (juce::Image::RGB, width, height, true);
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        ImageSets::drawSideBySide (g, { 0, 0, 14, 9 }, [&] (juce::Graphics& parts) {
            ImageSets::drawAt (parts, white, 0, 0);
            ImageSets::drawAt (parts, white, 7, 0);
        });

        const int seam = (int) (7 * scale);
        EXPECT_EQ (target.getPixelAt (seam, height / 2).getBrightness(), 1.0f) << "at " << scale;
    }
}
