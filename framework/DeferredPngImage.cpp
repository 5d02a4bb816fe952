#include "framework/DeferredPngImage.h"

#include <cstring>
#include <optional>

namespace
{
struct PngHeader
{
    int width = 0, height = 0;
    bool hasAlpha = false;
};

juce::uint32 readBigEndian (const juce::uint8* bytes)
{
    return juce::ByteOrder::bigEndianInt (bytes);
}

// The size and whether JUCE's loader gives the image an alpha channel: an
// alpha channel of its own (grey or RGB with alpha) or a transparency chunk
// before the first image data.
std::optional<PngHeader> readHeader (const char* data, size_t size)
{
    static constexpr juce::uint8 signature[] = { 0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a };
    const auto* bytes = reinterpret_cast<const juce::uint8*> (data);

    if (size < 33 || std::memcmp (bytes, signature, sizeof (signature)) != 0 || std::memcmp (bytes + 12, "IHDR", 4) != 0)
        return std::nullopt;

    PngHeader header;
    const auto width = readBigEndian (bytes + 16), height = readBigEndian (bytes + 20);
    const int colourType = bytes[25];

    if (width == 0 || height == 0 || width > 0x7fff || height > 0x7fff)
        return std::nullopt;

    header.width = (int) width;
    header.height = (int) height;
    header.hasAlpha = (colourType & 4) != 0;

    for (size_t chunk = 33; chunk + 8 <= size;)
    {
        const auto length = (size_t) readBigEndian (bytes + chunk);

        if (std::memcmp (bytes + chunk + 4, "IDAT", 4) == 0)
            return header;

        header.hasAlpha = header.hasAlpha || std::memcmp (bytes + chunk + 4, "tRNS", 4) == 0;
        chunk += 12 + length;
    }

    return std::nullopt;
}

class DeferredPixelData : public juce::ImagePixelData
{
public:
    DeferredPixelData (const char* pngData, size_t pngSize, const PngHeader& header)
        : ImagePixelData (header.hasAlpha ? juce::Image::ARGB : juce::Image::RGB, header.width, header.height),
          data (pngData),
          size (pngSize)
    {
        userData.set ("originalImageHadAlpha", header.hasAlpha);
    }

    bool isDecoded() const noexcept { return decoded.isValid(); }

    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override
    {
        return pixels().getPixelData()->createLowLevelContext();
    }

    Ptr clone() override { return pixels().getPixelData()->clone(); }

    std::unique_ptr<juce::ImageType> createType() const override { return std::make_unique<juce::SoftwareImageType>(); }

    void initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y, juce::Image::BitmapData::ReadWriteMode mode) override
    {
        pixels().getPixelData()->initialiseBitmapData (bitmap, x, y, mode);
    }

private:
    const juce::Image& pixels()
    {
        if (! decoded.isValid())
        {
            decoded = juce::ImageFileFormat::loadFrom (data, size);

            if (decoded.getBounds() != juce::Rectangle<int> (width, height))
                decoded = juce::Image (pixelFormat, width, height, true, juce::SoftwareImageType());
            else if (decoded.getFormat() != pixelFormat)
                decoded = decoded.convertedToFormat (pixelFormat);
        }

        return decoded;
    }

    const char* data;
    size_t size;
    juce::Image decoded;
};
} // namespace

juce::Image DeferredPngImage::load (const char* data, size_t size)
{
    if (data == nullptr || size == 0)
        return {};

    if (const auto header = readHeader (data, size))
        return juce::Image (new DeferredPixelData (data, size, *header));

    return juce::ImageFileFormat::loadFrom (data, size);
}

bool DeferredPngImage::isDecoded (const juce::Image& image)
{
    const auto* deferred = dynamic_cast<const DeferredPixelData*> (image.getPixelData());
    return deferred == nullptr || deferred->isDecoded();
}
