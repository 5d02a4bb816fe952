#include "tools/render/PngFile.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <memory>

namespace
{
// libpng reports errors by jumping back here, so this function holds no
// object that needs destroying.
bool writeRows (png_structp png, png_infop info, const png_color* colours, int numColours,
                const juce::uint8* indexes, int width, int height)
{
    if (setjmp (png_jmpbuf (png)))
        return false;

    png_set_IHDR (png, info, (png_uint_32) width, (png_uint_32) height, 8, PNG_COLOR_TYPE_PALETTE,
                  PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE (png, info, colours, numColours);
    png_set_compression_level (png, Z_BEST_SPEED);
    png_set_filter (png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info (png, info);

    for (int y = 0; y < height; ++y)
        png_write_row (png, indexes + (size_t) y * (size_t) width);

    png_write_end (png, info);
    return true;
}
} // namespace

bool PngFile::writeIndexed (const std::vector<juce::uint8>& indexes, int width, int height,
                            const std::vector<juce::Colour>& palette, const juce::File& file)
{
    if (width <= 0 || height <= 0 || indexes.size() != (size_t) width * (size_t) height
        || palette.empty() || palette.size() > 256)
        return false;

    std::vector<png_color> colours;

    for (const auto& colour : palette)
        colours.push_back ({ colour.getRed(), colour.getGreen(), colour.getBlue() });

    std::unique_ptr<FILE, int (*) (FILE*)> stream (std::fopen (file.getFullPathName().toRawUTF8(), "wb"), &std::fclose);

    if (stream == nullptr)
        return false;

    auto png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    auto info = png != nullptr ? png_create_info_struct (png) : nullptr;
    bool written = false;

    if (info != nullptr)
    {
        png_init_io (png, stream.get());
        written = writeRows (png, info, colours.data(), (int) colours.size(), indexes.data(), width, height);
    }

    png_destroy_write_struct (&png, &info);
    return written && std::fflush (stream.get()) == 0 && ! std::ferror (stream.get());
}
