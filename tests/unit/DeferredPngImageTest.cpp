// Images whose pixels are decoded when first drawn: the size and format read
// from the header must be what decoding gives, and an editor first painted
// at 2x must leave the 1x pixels undecoded.
#include <gmock/gmock.h>

#include "QuilvernBinaryData.h"
#include "engine/QuilvernFactory.h"
#include "framework/DeferredPngImage.h"
#include "gui/look/EmbeddedImages.h"
#include "support/MessagePump.h"

namespace
{
bool samePixels (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

juce::Image paintAt (juce::Component& editor, float scale)
{
    juce::Image image (juce::Image::RGB, juce::roundToInt ((float) editor.getWidth() * scale),
                       juce::roundToInt ((float) editor.getHeight() * scale), true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (scale));
    editor.paintEntireComponent (g, true);
    return image;
}
} // namespace

// Every embedded PNG (opaque ones, ones with alpha, a palette's
// transparency): the same size, format and pixels as decoding it at once,
// decoded only when a pixel is read.
TEST (DeferredPngImage, EveryEmbeddedPngShowsWhatDecodingItAtOnceShows)
{
    int pngs = 0;

    for (int i = 0; i < QuilvernBinaryData::namedResourceListSize; ++i)
    {
        const juce::String fileName (QuilvernBinaryData::originalFilenames[i]);

        if (! fileName.endsWithIgnoreCase (".png"))
            continue;

        int size = 0;
        const char* data = QuilvernBinaryData::getNamedResource (QuilvernBinaryData::namedResourceList[i], size);
        const auto atOnce = juce::ImageFileFormat::loadFrom (data, (size_t) size);
        const auto deferred = DeferredPngImage::load (data, (size_t) size);
        ++pngs;

        ASSERT_TRUE (atOnce.isValid()) << fileName;
        EXPECT_FALSE (DeferredPngImage::isDecoded (deferred)) << fileName;
        EXPECT_EQ (deferred.getBounds(), atOnce.getBounds()) << fileName;
        EXPECT_EQ (deferred.getFormat(), atOnce.getFormat()) << fileName;
        EXPECT_TRUE (samePixels (deferred, atOnce)) << fileName;
        EXPECT_TRUE (DeferredPngImage::isDecoded (deferred)) << fileName;
    }

    EXPECT_GT (pngs, 100);
}

// Bytes that are no PNG are decoded at once, to nothing, as before.
TEST (DeferredPngImage, BytesThatAreNoPngGiveNoImage)
{
    const char notPng[] = "<PluginEditor/>";
    EXPECT_FALSE (DeferredPngImage::load (notPng, sizeof (notPng)).isValid());
}

// The editor lays out from the 1x pictures' sizes; a first paint at 2x
// draws the 2x set only, and a later paint at 1x decodes the 1x pixels.
TEST (DeferredPngImage, AnEditorFirstPaintedAt2xDecodesNo1xPixels)
{
    // The embedded pictures stay decoded once drawn, so this expects a
    // process of its own, as CTest runs each test.
    auto plugin = createQuilvern (juce::File());
    auto& editor = *plugin->getEditorComponent();
    MessagePump::run();

    const auto strip = EmbeddedImages::load ("FXKnob.png");
    const auto background = EmbeddedImages::load ("Background.png");
    paintAt (editor, 2.0f);
    EXPECT_FALSE (DeferredPngImage::isDecoded (strip));
    EXPECT_FALSE (DeferredPngImage::isDecoded (background));

    paintAt (editor, 1.0f);
    EXPECT_TRUE (DeferredPngImage::isDecoded (strip));
    EXPECT_TRUE (DeferredPngImage::isDecoded (background));
}
