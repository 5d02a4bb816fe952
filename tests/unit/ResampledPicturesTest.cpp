// Pictures resampled once for a scale between the image sets' own and copied
// onto the pixels at each repaint must show what resampling there shows.
#include <gmock/gmock.h>

#include "framework/EmbeddedResources.h"
#include "gui/look/ImageSets.h"
#include "gui/look/ResampledPictures.h"
#include "gui/skin/FilmStrip.h"

#include <cmath>

namespace
{
juce::Image loadMarked (const juce::String& fileName)
{
    auto image = EmbeddedResources::loadResourceImage (fileName);
    ImageSets::markAsEmbedded (image, fileName);
    return image;
}

// An opaque target filled with a colour of its own, so a picture's soft
// edges show how they blend.
juce::Image makeTarget (juce::Rectangle<int> area, float scale)
{
    juce::Image target (juce::Image::RGB, (int) std::ceil ((float) area.getRight() * scale) + 1,
                        (int) std::ceil ((float) area.getBottom() * scale) + 1, false);
    target.clear (target.getBounds(), juce::Colour (0xff3060a0));
    return target;
}

int largestDifference (const juce::Image& a, const juce::Image& b)
{
    int largest = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
            largest = juce::jmax (largest, std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                                  std::abs (p.getBlue() - q.getBlue()));
        }

    return largest;
}

struct Drawing
{
    const char* fileName;
    int frames, frame;
    juce::Point<int> at;
};
} // namespace

// A knob's frame (soft edges of its own) and the opaque background, placed
// where they land between two pixels at 1.5 and 1.75 or on whole ones: the
// first repaint, which resamples, and the next, which copies, both show what
// JUCE's resampling draws there, to a level.
TEST (ResampledPictures, ACopiedPictureShowsWhatResamplingThereShows)
{
    const Drawing drawings[] = { { "FXKnob.png", 61, 17, { 26, 150 } },
                                 { "FXKnob.png", 61, 40, { 27, 151 } },
                                 { "Background.png", 1, 0, { 0, 0 } },
                                 { "Background.png", 1, 0, { 3, 5 } } };

    for (const auto& drawing : drawings)
        for (const float scale : { 1.25f, 1.5f, 1.75f })
        {
            const auto image = loadMarked (drawing.fileName);
            const int height = FilmStrip::frameHeight (image, drawing.frames);
            const juce::Rectangle<int> area (drawing.at.x, drawing.at.y, image.getWidth(), height);
            const auto set = ImageSets::wantsDoubleSet (scale) ? ImageSets::getDoubleSet (image) : image;
            const int factor = set.getWidth() / image.getWidth();

            auto expected = makeTarget (area, scale);
            {
                juce::Graphics g (expected);
                g.addTransform (juce::AffineTransform::scale (scale));
                g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
                g.drawImageTransformed (set.getClippedImage (juce::Rectangle<int> (0, drawing.frame * height, area.getWidth(), height) * factor),
                                        juce::AffineTransform::scale (1.0f / (float) factor).translated (area.getPosition().toFloat()));
            }

            for (const char* repaint : { "first", "next" })
            {
                auto target = makeTarget (area, scale);
                juce::Graphics g (target);
                g.addTransform (juce::AffineTransform::scale (scale));
                g.setOrigin (area.getPosition());
                FilmStrip::drawFrame (g, image, drawing.frames, drawing.frame);

                EXPECT_LE (largestDifference (target, expected), 1)
                    << drawing.fileName << " frame " << drawing.frame << " at " << area.getX() << ", " << area.getY()
                    << ", scale " << scale << ", " << repaint << " repaint";
            }

            EXPECT_EQ (ResampledPictures::countKept (image), 1) << drawing.fileName << " at " << scale;
        }
}

// One scale at a time: a picture per frame drawn, all of them dropped when
// the scale changes; none where the scale needs no resampling.
TEST (ResampledPictures, PicturesAreKeptForTheContextsScaleOnly)
{
    const auto strip = loadMarked ("FXKnob.png");
    const int height = FilmStrip::frameHeight (strip, 61);
    juce::Image target (juce::Image::RGB, 2 * strip.getWidth(), 2 * height, true);

    const auto drawAt = [&] (float scale, int frame) {
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        FilmStrip::drawFrame (g, strip, 61, frame);
        return ResampledPictures::countKept (strip);
    };

    EXPECT_EQ (drawAt (1.5f, 3), 1);
    EXPECT_EQ (drawAt (1.5f, 4), 2);
    EXPECT_EQ (drawAt (1.5f, 3), 2) << "kept";
    EXPECT_EQ (drawAt (1.75f, 3), 1) << "the pictures of 1.5 dropped";
    EXPECT_EQ (drawAt (2.0f, 3), 0) << "1:1 at 2";
    EXPECT_EQ (drawAt (1.0f, 3), 0);
}
