#include "gui/look/ImageSets.h"

#include "framework/EmbeddedResources.h"
#include "gui/look/ResampledPictures.h"

#include <cmath>

namespace
{
const juce::Identifier fileNameProperty { "embeddedFile" };
const juce::Identifier doubleSetProperty { "doubleSet" };
} // namespace

void ImageSets::markAsEmbedded (juce::Image& image, const juce::String& fileName)
{
    if (auto* properties = image.getProperties())
        properties->set (fileNameProperty, fileName);
}

juce::String ImageSets::getDoubleSetName (const juce::String& fileName)
{
    if (! fileName.containsChar ('.'))
        return {};

    return fileName.upToLastOccurrenceOf (".", false, false) + "@2x" + fileName.fromLastOccurrenceOf (".", true, false);
}

float ImageSets::getPhysicalScale (juce::Graphics& g)
{
    return g.getInternalContext().getPhysicalPixelScaleFactor();
}

bool ImageSets::hasDecodedDoubleSet (const juce::Image& image)
{
    const auto* properties = image.getProperties();
    return properties != nullptr && properties->contains (doubleSetProperty);
}

juce::Image ImageSets::getDoubleSet (const juce::Image& image)
{
    auto* properties = image.getProperties();

    if (properties == nullptr || ! properties->contains (fileNameProperty))
        return {};

    // Held by the 1x image's own data, so it lives and goes with it; a
    // missing partner is remembered as none.
    if (const auto* held = properties->getVarPointer (doubleSetProperty))
        return juce::Image (dynamic_cast<juce::ImagePixelData*> (held->getObject()));

    auto twice = EmbeddedResources::loadResourceImage (getDoubleSetName ((*properties)[fileNameProperty].toString()));

    if (twice.getWidth() != 2 * image.getWidth() || twice.getHeight() != 2 * image.getHeight())
        twice = {};

    properties->set (doubleSetProperty, juce::var (twice.getPixelData()));
    return twice;
}

ImageSets::Choice ImageSets::choose (juce::Graphics& g, const juce::Image& image)
{
    if (wantsDoubleSet (getPhysicalScale (g)))
        if (auto twice = getDoubleSet (image); twice.isValid())
            return { twice, 2 };

    return { image, 1 };
}

// As JUCE's own drawImage: the source part, scaled and moved onto the
// destination; at 2x onto the same destination, so it lands 1:1 on the
// physical pixels. Between the sets' scales a picture resampled once.
void ImageSets::draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> destination,
                      juce::Rectangle<int> source)
{
    source = source.getIntersection (image.getBounds());

    if (source.isEmpty() || destination.isEmpty())
        return;

    const auto choice = choose (g, image);
    const auto part = source * choice.factor;
    const auto toDestination = juce::AffineTransform::scale (destination.getWidth() / (float) part.getWidth(),
                                                             destination.getHeight() / (float) part.getHeight())
                                   .translated (destination.getX(), destination.getY());

    if (ResampledPictures::draw (g, image, choice.image, part, toDestination))
        return;

    const juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImageTransformed (choice.image.getClippedImage (part), toDestination);
}

void ImageSets::draw (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> destination)
{
    draw (g, image, destination, image.getBounds());
}

void ImageSets::drawAt (juce::Graphics& g, const juce::Image& image, int x, int y)
{
    draw (g, image, image.getBounds().toFloat().withPosition ((float) x, (float) y), image.getBounds());
}

void ImageSets::drawSideBySide (juce::Graphics& g, juce::Rectangle<int> area,
                                const std::function<void (juce::Graphics&)>& drawParts)
{
    const float scale = getPhysicalScale (g);

    if (area.isEmpty() || juce::approximatelyEqual (scale, std::round (scale)))
    {
        drawParts (g);
        return;
    }

    const int factor = wantsDoubleSet (scale) ? 2 : 1;
    juce::Image picture (juce::Image::ARGB, area.getWidth() * factor, area.getHeight() * factor, true);

    {
        juce::Graphics pictureContext (picture);
        pictureContext.addTransform (juce::AffineTransform::translation ((float) -area.getX(), (float) -area.getY())
                                         .scaled ((float) factor));
        drawParts (pictureContext);
    }

    const juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImageTransformed (picture, juce::AffineTransform::scale (1.0f / (float) factor)
                                         .translated ((float) area.getX(), (float) area.getY()));
}
