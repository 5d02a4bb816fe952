#include "gui/look/ResampledPictures.h"

#include "gui/look/DeviceTransform.h"

#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace
{
const juce::Identifier picturesProperty { "resampledPictures" };

// Within this, JUCE takes a transform's scale for 1 and copies the image.
constexpr float wholeScaleTolerance = 0.002f;

// A place on the pixels in 256ths, as JUCE's renderer resolves it: the
// whole pixel and the 256ths beyond it.
struct PixelPlace
{
    explicit PixelPlace (float position)
    {
        const int fixed = (int) std::floor (position * 256.0f + 0.5f);
        whole = (int) std::floor ((float) fixed / 256.0f);
        fraction = fixed - whole * 256;
    }

    int whole, fraction;
};

struct Key
{
    juce::Rectangle<int> part;
    float scaleX, scaleY;
    int fractionX, fractionY;

    bool operator< (const Key& other) const
    {
        const auto tie = [] (const Key& k) {
            return std::make_tuple (k.part.getX(), k.part.getY(), k.part.getWidth(), k.part.getHeight(), k.scaleX,
                                    k.scaleY, k.fractionX, k.fractionY);
        };
        return tie (*this) < tie (other);
    }
};

// A resampled picture in pieces, each with its place in the picture. Where
// the image is opaque the pixels it covers whole are an opaque piece, which
// JUCE copies where it would blend a picture with alpha; its soft edges are
// pieces of their own.
using Pieces = std::vector<std::pair<juce::Point<int>, juce::Image>>;

struct Pictures : juce::ReferenceCountedObject
{
    float contextScaleX = 0.0f, contextScaleY = 0.0f;
    std::map<Key, Pieces> kept;
    juce::int64 pixels = 0;
};

Pictures* findPictures (const juce::Image& owner)
{
    const auto* properties = owner.getProperties();
    const auto* held = properties != nullptr ? properties->getVarPointer (picturesProperty) : nullptr;
    return held != nullptr ? dynamic_cast<Pictures*> (held->getObject()) : nullptr;
}

void keepForScaleOnly (Pictures& pictures, const juce::AffineTransform& device)
{
    if (pictures.contextScaleX != device.mat00 || pictures.contextScaleY != device.mat11)
    {
        pictures.kept.clear();
        pictures.pixels = 0;
        pictures.contextScaleX = device.mat00;
        pictures.contextScaleY = device.mat11;
    }
}

// The pictures kept for the context's scale, emptied when it changed.
Pictures* picturesFor (const juce::Image& owner, const juce::AffineTransform& device)
{
    auto* pictures = findPictures (owner);

    if (pictures == nullptr)
    {
        auto* properties = owner.getProperties();

        if (properties == nullptr)
            return nullptr;

        pictures = new Pictures();
        properties->set (picturesProperty, juce::var (pictures));
    }

    keepForScaleOnly (*pictures, device);
    return pictures;
}

// JUCE's coverage of an edge on a pixel's border may spill a little into
// the pixel beyond it; a picture keeps a pixel's margin around the part.
constexpr int margin = 1;

// The part scaled, its top left corner the margin and a fraction of a pixel
// in.
juce::AffineTransform placing (const Key& key)
{
    return { key.scaleX, 0.0f, (float) margin + (float) key.fractionX / 256.0f,
             0.0f, key.scaleY, (float) margin + (float) key.fractionY / 256.0f };
}

juce::Rectangle<int> pictureBounds (const Key& key)
{
    return key.part.withZeroOrigin().toFloat().transformedBy (placing (key)).getSmallestIntegerContainer().expanded (margin);
}

juce::Image resample (const juce::Image& image, const Key& key)
{
    const auto bounds = pictureBounds (key);
    juce::Image picture (juce::Image::ARGB, bounds.getRight(), bounds.getBottom(), true, juce::SoftwareImageType());

    juce::Graphics g (picture);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImageTransformed (image.getClippedImage (key.part), placing (key));
    return picture;
}

bool isOpaque (const juce::Image::BitmapData& pixels, juce::Rectangle<int> area)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (pixels.getPixelColour (x, y).getAlpha() != 0xff)
                return false;

    return true;
}

// The pixels an opaque part covers whole: all but the columns and rows its
// edges cross, where JUCE's coverage (not always whole on a whole pixel's
// border) leaves them soft.
juce::Rectangle<int> wholeCover (const juce::Image& picture, const Key& key)
{
    const auto area = key.part.withZeroOrigin().toFloat().transformedBy (placing (key));
    auto inside = juce::Rectangle<int>::leftTopRightBottom ((int) std::ceil (area.getX()), (int) std::ceil (area.getY()),
                                                            (int) std::floor (area.getRight()), (int) std::floor (area.getBottom()));
    const juce::Image::BitmapData pixels (picture, juce::Image::BitmapData::readOnly);

    for (bool shrunk = true; shrunk && ! inside.isEmpty();)
    {
        shrunk = false;
        const auto shrinkBy = [&] (juce::Rectangle<int> edge, juce::Rectangle<int> without) {
            if (! edge.isEmpty() && ! isOpaque (pixels, edge))
            {
                inside = without;
                shrunk = true;
            }
        };
        shrinkBy (inside.withWidth (1), inside.withTrimmedLeft (1));
        shrinkBy (inside.withLeft (inside.getRight() - 1), inside.withTrimmedRight (1));
        shrinkBy (inside.withHeight (1), inside.withTrimmedTop (1));
        shrinkBy (inside.withTop (inside.getBottom() - 1), inside.withTrimmedBottom (1));
    }

    return inside;
}

juce::Image copyOf (const juce::Image& picture, juce::Rectangle<int> area, juce::Image::PixelFormat format)
{
    juce::Image piece (format, area.getWidth(), area.getHeight(), false, juce::SoftwareImageType());
    piece.clear (piece.getBounds());
    juce::Graphics g (piece);
    g.drawImageAt (picture, -area.getX(), -area.getY());
    return piece;
}

Pieces resampleInPieces (const juce::Image& image, const Key& key)
{
    auto picture = resample (image, key);
    const auto inside = image.hasAlphaChannel() ? juce::Rectangle<int>() : wholeCover (picture, key);

    if (image.hasAlphaChannel() || inside.isEmpty())
        return { { {}, picture } };

    Pieces pieces { { inside.getPosition(), copyOf (picture, inside, juce::Image::RGB) } };
    const auto bounds = picture.getBounds();
    const juce::Rectangle<int> edges[] = { bounds.withBottom (inside.getY()), bounds.withTop (inside.getBottom()),
                                           inside.withX (0).withWidth (inside.getX()),
                                           inside.withX (inside.getRight()).withRight (bounds.getRight()) };

    for (const auto& edge : edges)
        if (! edge.isEmpty())
            pieces.push_back ({ edge.getPosition(), copyOf (picture, edge, juce::Image::ARGB) });

    return pieces;
}
} // namespace

bool ResampledPictures::draw (juce::Graphics& g, const juce::Image& owner, const juce::Image& image,
                              juce::Rectangle<int> part, const juce::AffineTransform& toDestination)
{
    const auto device = DeviceTransform::of (g);

    if (! device.has_value() || device->isSingularity() || device->mat01 != 0.0f || device->mat10 != 0.0f)
        return false;

    const auto total = toDestination.followedBy (*device);
    const bool wholeScale = std::abs (total.mat00 - 1.0f) < wholeScaleTolerance && std::abs (total.mat11 - 1.0f) < wholeScaleTolerance;

    if (wholeScale || total.mat00 <= 0.0f || total.mat11 <= 0.0f || total.mat01 != 0.0f || total.mat10 != 0.0f)
    {
        // Drawn as it comes at this scale: the pictures of another go.
        if (auto* pictures = findPictures (owner))
            keepForScaleOnly (*pictures, *device);

        return false;
    }

    auto* pictures = picturesFor (owner, *device);

    if (pictures == nullptr)
        return false;

    const PixelPlace x (total.getTranslationX()), y (total.getTranslationY());
    const Key key { part, total.mat00, total.mat11, x.fraction, y.fraction };
    auto found = pictures->kept.find (key);

    if (found == pictures->kept.end())
    {
        const double ownerAtScale = (double) owner.getWidth() * owner.getHeight() * device->mat00 * device->mat11;
        const auto mostPixels = (juce::int64) (2.0 * ownerAtScale) + 4096;
        const auto bounds = pictureBounds (key);
        const auto pixels = (juce::int64) bounds.getRight() * bounds.getBottom();

        // A picture stretched far beyond its image (a shadow along a
        // window's side) is drawn as it comes.
        if (pixels > mostPixels)
            return false;

        if (pictures->pixels + pixels > mostPixels)
        {
            pictures->kept.clear();
            pictures->pixels = 0;
        }

        pictures->pixels += pixels;
        found = pictures->kept.emplace (key, resampleInPieces (image, key)).first;
    }

    // Back through the context's transform, the pieces land on whole
    // pixels, where JUCE copies them at low quality (it would shift them by
    // the rounding error otherwise).
    const juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
    const auto toPixels = device->inverted();

    for (const auto& [place, piece] : found->second)
        g.drawImageTransformed (piece, juce::AffineTransform::translation ((float) (x.whole - margin + place.x), (float) (y.whole - margin + place.y))
                                           .followedBy (toPixels));
    return true;
}

int ResampledPictures::countKept (const juce::Image& owner)
{
    const auto* pictures = findPictures (owner);
    return pictures != nullptr ? (int) pictures->kept.size() : 0;
}
