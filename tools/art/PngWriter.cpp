#include "tools/art/PngWriter.h"

#include <algorithm>
#include <map>
#include <vector>

namespace
{
constexpr int maxPaletteSize = 256;

void appendToBlock (png_structp png, png_bytep data, png_size_t length)
{
    static_cast<juce::MemoryBlock*> (png_get_io_ptr (png))->append (data, length);
}

// JUCE's decoder premultiplies each channel as (c a + 127) >> 8; store the
// smallest straight value that comes back as the premultiplied one we have.
juce::uint8 straightChannel (juce::uint8 premultiplied, juce::uint8 alpha)
{
    if (alpha == 0xff || premultiplied == 0)
        return premultiplied;

    const int straight = (256 * premultiplied - 127 + alpha - 1) / alpha;
    return (juce::uint8) juce::jlimit (0, 255, straight);
}

juce::PixelARGB straightPixel (const juce::Image::BitmapData& bitmap, int x, int y)
{
    // ARGB images hold premultiplied pixels; RGB ones are opaque.
    const auto source = bitmap.pixelFormat == juce::Image::ARGB
                          ? *reinterpret_cast<const juce::PixelARGB*> (bitmap.getPixelPointer (x, y))
                          : bitmap.getPixelColour (x, y).getPixelARGB();
    const auto alpha = source.getAlpha();

    if (alpha == 0)
        return juce::PixelARGB (0, 0, 0, 0);

    return juce::PixelARGB (alpha, straightChannel (source.getRed(), alpha),
                            straightChannel (source.getGreen(), alpha), straightChannel (source.getBlue(), alpha));
}

// libpng reports errors by longjmp; this encoder only ever writes into
// memory, so an error can only mean a programming mistake.
struct PngStructs
{
    png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct (png);

    ~PngStructs() { png_destroy_write_struct (&png, &info); }
};
} // namespace

juce::Array<juce::PixelARGB> PngWriter::findPalette (const juce::Image& image)
{
    const juce::Image::BitmapData bitmap (image, juce::Image::BitmapData::readOnly);
    juce::Array<juce::PixelARGB> palette;
    std::map<juce::uint32, int> seen;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto pixel = straightPixel (bitmap, x, y);

            if (seen.emplace (pixel.getNativeARGB(), palette.size()).second)
                palette.add (pixel);

            if (palette.size() > maxPaletteSize)
                return {};
        }

    return palette;
}

juce::MemoryBlock PngWriter::encode (const juce::Image& image)
{
    const auto palette = findPalette (image);

    if (! palette.isEmpty())
        return encodeWithFilters (image, palette, PNG_FILTER_NONE);

    // Row filters usually shrink a picture, but smooth gradients in long
    // film strips often come out smaller without them, and unfiltered rows
    // are also cheaper to decode when the editor opens: keep the smaller.
    auto filtered = encodeWithFilters (image, palette, PNG_ALL_FILTERS);
    auto unfiltered = encodeWithFilters (image, palette, PNG_FILTER_NONE);
    return unfiltered.getSize() <= filtered.getSize() ? unfiltered : filtered;
}

juce::MemoryBlock PngWriter::encodeWithFilters (const juce::Image& image, const juce::Array<juce::PixelARGB>& palette, int filters)
{
    juce::MemoryBlock data;
    PngStructs structs;

    if (setjmp (png_jmpbuf (structs.png)))
        return {};

    png_set_write_fn (structs.png, &data, appendToBlock, nullptr);
    png_set_compression_level (structs.png, 9);
    png_set_filter (structs.png, 0, filters);

    if (palette.isEmpty())
        writeTrueColour (structs.png, structs.info, image);
    else
        writeIndexed (structs.png, structs.info, image, palette);

    png_write_end (structs.png, structs.info);
    return data;
}

void PngWriter::writeTrueColour (png_structp png, png_infop info, const juce::Image& image)
{
    const bool alpha = image.hasAlphaChannel();
    const int channels = alpha ? 4 : 3;
    png_set_IHDR (png, info, (png_uint_32) image.getWidth(), (png_uint_32) image.getHeight(), 8,
                  alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                  PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info (png, info);

    const juce::Image::BitmapData bitmap (image, juce::Image::BitmapData::readOnly);
    std::vector<png_byte> row ((size_t) (image.getWidth() * channels));

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto pixel = straightPixel (bitmap, x, y);
            const png_byte bytes[] = { pixel.getRed(), pixel.getGreen(), pixel.getBlue(), pixel.getAlpha() };
            std::copy (bytes, bytes + channels, row.begin() + x * channels);
        }

        png_write_row (png, row.data());
    }
}

void PngWriter::writeIndexed (png_structp png, png_infop info, const juce::Image& image, const juce::Array<juce::PixelARGB>& palette)
{
    const int size = palette.size();
    const int bitDepth = size <= 2 ? 1 : size <= 4 ? 2 : size <= 16 ? 4 : 8;
    png_set_IHDR (png, info, (png_uint_32) image.getWidth(), (png_uint_32) image.getHeight(), bitDepth,
                  PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);

    std::map<juce::uint32, png_byte> indexes;
    std::vector<png_color> colours;
    std::vector<png_byte> opacities;

    for (const auto& pixel : palette)
    {
        indexes[pixel.getNativeARGB()] = (png_byte) colours.size();
        colours.push_back ({ pixel.getRed(), pixel.getGreen(), pixel.getBlue() });
        opacities.push_back (pixel.getAlpha());
    }

    png_set_PLTE (png, info, colours.data(), size);

    if (image.hasAlphaChannel())
        png_set_tRNS (png, info, opacities.data(), size, nullptr);

    png_write_info (png, info);
    png_set_packing (png);

    const juce::Image::BitmapData bitmap (image, juce::Image::BitmapData::readOnly);
    std::vector<png_byte> row ((size_t) image.getWidth());

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
            row[(size_t) x] = indexes[straightPixel (bitmap, x, y).getNativeARGB()];

        png_write_row (png, row.data());
    }
}

bool PngWriter::decodesTo (const juce::MemoryBlock& data, const juce::Image& image)
{
    const auto decoded = juce::ImageFileFormat::loadFrom (data.getData(), data.getSize()).convertedToFormat (juce::Image::ARGB);
    const auto original = image.convertedToFormat (juce::Image::ARGB);

    if (decoded.getBounds() != original.getBounds())
        return false;

    const juce::Image::BitmapData expected (original, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData actual (decoded, juce::Image::BitmapData::readOnly);

    // Stored colours are straight and the decoder premultiplies them again;
    // a channel may come back one rounding step off, never more.
    for (int y = 0; y < original.getHeight(); ++y)
        for (int x = 0; x < original.getWidth(); ++x)
        {
            const auto* a = expected.getPixelPointer (x, y);
            const auto* b = actual.getPixelPointer (x, y);

            for (int channel = 0; channel < 4; ++channel)
                if (std::abs ((int) a[channel] - (int) b[channel]) > 1)
                    return false;
        }

    return true;
}

juce::Result PngWriter::write (const juce::Image& image, const juce::File& file)
{
    const auto data = encode (image);

    if (data.isEmpty() || ! decodesTo (data, image))
        return juce::Result::fail ("cannot encode " + file.getFileName() + " without loss");

    if (! file.replaceWithData (data.getData(), data.getSize()))
        return juce::Result::fail ("cannot write " + file.getFullPathName());

    return juce::Result::ok();
}
