#include "tools/render/SpectrogramPicture.h"

#include "gui/look/EmbeddedFonts.h"
#include "tools/render/PngFile.h"

#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace
{
constexpr int left = 70, right = 90, top = 40, panelTitle = 24, gap = 12, bottom = 50;
constexpr int plotWidth = SpectrogramPicture::width - left - right;
constexpr int plotHeight = Spectrograms::numRows; // one pixel row per level row
static_assert (SpectrogramPicture::height == top + 2 * (panelTitle + plotHeight) + gap + bottom);

constexpr float dynamicRange = 80.0f;
constexpr int numLevelColours = 128;
constexpr int firstGrey = numLevelColours; // then greys 0, 2, 4 ... 254

// The labels are drawn as darkness below the background's grey into a
// single-channel image, which JUCE fills and blends faster than an RGB one;
// anti-aliased edges over the background come out as they would in RGB.
constexpr int backgroundGrey = 0xfc;
const juce::Colour ink = juce::Colours::black.withAlpha ((juce::uint8) (backgroundGrey - 0x20));
const juce::Colour tickInk = juce::Colours::black.withAlpha ((juce::uint8) (backgroundGrey - 0x70));

const juce::Rectangle<int> upperPlot (left, top + panelTitle, plotWidth, plotHeight);
const juce::Rectangle<int> lowerPlot = upperPlot.translated (0, plotHeight + gap + panelTitle);
const juce::Rectangle<int> colourBar (upperPlot.getRight() + 24, upperPlot.getY(), 14, lowerPlot.getBottom() - upperPlot.getY());

juce::Font font (float height)
{
    // The product's own Tahoma-compatible face, so the picture looks the
    // same on every machine.
    return EmbeddedFonts::getTahoma (height, false);
}

// The levels' colours, dark to bright: black, purple, red, orange, pale yellow.
std::vector<juce::Colour> makePalette()
{
    juce::ColourGradient gradient (juce::Colour (0xff000004), 0.0f, 0.0f, juce::Colour (0xfffcffa4), 1.0f, 0.0f, false);
    gradient.addColour (0.25, juce::Colour (0xff420a68));
    gradient.addColour (0.5, juce::Colour (0xff932667));
    gradient.addColour (0.75, juce::Colour (0xffdd513a));
    gradient.addColour (0.9, juce::Colour (0xfffca50a));

    std::vector<juce::Colour> palette;

    for (int i = 0; i < numLevelColours; ++i)
        palette.push_back (gradient.getColourAtPosition (i / (numLevelColours - 1.0)));

    for (int grey = 0; grey < 256; grey += 2)
        palette.push_back (juce::Colour ((juce::uint8) grey, (juce::uint8) grey, (juce::uint8) grey));

    return palette;
}

struct Scale
{
    float topDb, bottomDb;

    explicit Scale (const Spectrograms& spectrograms)
    {
        float loudest = -dynamicRange;

        for (const auto* levels : { &spectrograms.getInput(), &spectrograms.getOutput() })
            for (const auto value : levels->values)
                loudest = juce::jmax (loudest, value);

        topDb = juce::jmin (0.0f, 10.0f * std::ceil (loudest / 10.0f));
        bottomDb = topDb - dynamicRange;
    }

    // A level's place on the colour scale, in colours from the darkest.
    float positionOf (float db) const { return (db - bottomDb) / dynamicRange * (numLevelColours - 1); }

    static juce::uint8 indexAt (float position)
    {
        return (juce::uint8) (juce::jlimit (0.0f, (float) (numLevelColours - 1), position) + 0.5f);
    }
};

juce::String frequencyLabel (float hz)
{
    return hz >= 1000.0f ? juce::String (hz / 1000.0f, 0) + "k" : juce::String (hz, 0);
}

void drawFrequencyAxis (juce::Graphics& g, const Spectrograms& spectrograms, juce::Rectangle<int> plot)
{
    g.setFont (font (12.0f));

    for (const float hz : { 20.0f, 50.0f, 100.0f, 200.0f, 500.0f, 1000.0f, 2000.0f, 5000.0f, 10000.0f, 20000.0f })
    {
        if (hz < Spectrograms::lowestFrequency || hz > spectrograms.getHighestFrequency() + 1.0f)
            continue;

        const auto y = plot.getBottom() - juce::roundToInt (spectrograms.rowPosition (hz) * plot.getHeight() / Spectrograms::numRows);
        g.setColour (tickInk);
        g.drawHorizontalLine (y, (float) plot.getX() - 5.0f, (float) plot.getX() - 1.0f); // up to the frame
        g.setColour (ink);
        g.drawText (frequencyLabel (hz), plot.getX() - 44, y - 7, 36, 14, juce::Justification::centredRight);
    }

}

// The frequency axis's title reads upwards, centred on x = 14 beside each
// plot. JUCE draws turned text glyph by glyph as paths, and turned images
// pixel by pixel through a general transform: drawn once upright and turned
// by hand, it costs a small part of either.
void drawFrequencyTitles (juce::Image& darkness)
{
    juce::Image title (juce::Image::SingleChannel, 200, 16, true);
    {
        juce::Graphics upright (title);
        upright.setColour (ink);
        upright.setFont (font (13.0f));
        upright.drawText ("Frequency (Hz)", title.getBounds(), juce::Justification::centred);
    }

    const juce::Image::BitmapData from (title, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData to (darkness, juce::Image::BitmapData::writeOnly);

    for (const auto& plot : { upperPlot, lowerPlot })
    {
        const auto left = 14 - from.height / 2, bottom = plot.getCentreY() + from.width / 2 - 1;

        for (int y = 0; y < from.height; ++y)
            for (int x = 0; x < from.width; ++x)
                *to.getPixelPointer (left + y, bottom - x) = *from.getPixelPointer (x, y);
    }
}

double timeStep (double seconds)
{
    for (const double step : { 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0, 1800.0 })
        if (seconds / step <= 10.0)
            return step;

    return 3600.0;
}

void drawTimeAxis (juce::Graphics& g, double seconds)
{
    const auto step = timeStep (seconds);
    g.setFont (font (12.0f));

    for (int i = 0; seconds > 0.0 && i * step <= seconds + 1e-9; ++i)
    {
        const auto x = left + juce::roundToInt (i * step / seconds * plotWidth);
        g.setColour (tickInk);
        g.drawVerticalLine (x, (float) upperPlot.getBottom() + 1.0f, (float) upperPlot.getBottom() + 6.0f);
        g.drawVerticalLine (x, (float) lowerPlot.getBottom() + 1.0f, (float) lowerPlot.getBottom() + 6.0f);
        g.setColour (ink);
        g.drawText (juce::String (i * step, step < 1.0 ? 1 : 0), x - 30, lowerPlot.getBottom() + 7, 60, 14, juce::Justification::centred);
    }

    g.setFont (font (13.0f));
    g.drawText ("Time (s)", left, lowerPlot.getBottom() + 25, plotWidth, 16, juce::Justification::centred);
}

void drawColourBarLabels (juce::Graphics& g, const Scale& scale)
{
    g.setFont (font (12.0f));

    for (float db = scale.topDb; db >= scale.bottomDb; db -= 20.0f)
    {
        const auto y = colourBar.getY() + juce::roundToInt ((scale.topDb - db) / dynamicRange * (colourBar.getHeight() - 1));
        g.setColour (tickInk);
        g.drawHorizontalLine (y, (float) colourBar.getRight(), (float) colourBar.getRight() + 4.0f);
        g.setColour (ink);
        g.drawText (juce::String ((int) db), colourBar.getRight() + 6, y - 7, 34, 14, juce::Justification::centredLeft);
    }

    g.setFont (font (13.0f));
    g.drawText ("dBFS", colourBar.getX() - 6, colourBar.getY() - 20, 44, 16, juce::Justification::centredLeft);
}

void drawPanelFrame (juce::Graphics& g, const juce::String& name, const Spectrograms& spectrograms, juce::Rectangle<int> plot)
{
    g.setColour (ink);
    g.setFont (font (14.0f));
    g.drawText (name, plot.getX(), plot.getY() - panelTitle, plot.getWidth(), panelTitle - 4, juce::Justification::bottomLeft);
    g.setColour (tickInk);
    g.drawRect (plot.expanded (1));
    drawFrequencyAxis (g, spectrograms, plot);
}

// Everything but the colours of the levels, drawn by JUCE as darkness.
juce::Image drawLabels (const Spectrograms& spectrograms, const Scale& scale, const juce::String& title)
{
    juce::Image image (juce::Image::SingleChannel, SpectrogramPicture::width, SpectrogramPicture::height, true);
    {
        juce::Graphics g (image);
        g.setColour (ink);
        g.setFont (font (15.0f));
        g.drawText (title, left, 8, plotWidth, 20, juce::Justification::centredLeft);

        drawPanelFrame (g, "Input", spectrograms, upperPlot);
        drawPanelFrame (g, "Output", spectrograms, lowerPlot);
        drawTimeAxis (g, spectrograms.getSeconds());
        drawColourBarLabels (g, scale);
    }

    drawFrequencyTitles (image);
    return image;
}

std::vector<juce::uint8> greyIndexes (const juce::Image& darkness)
{
    // Where strokes overlap, they are at most black.
    std::array<juce::uint8, 256> indexOfDarkness;

    for (int alpha = 0; alpha < 256; ++alpha)
        indexOfDarkness[(size_t) alpha] = (juce::uint8) (firstGrey + juce::jmax (0, backgroundGrey - alpha) / 2);

    const juce::Image::BitmapData pixels (darkness, juce::Image::BitmapData::readOnly);
    jassert (pixels.pixelStride == 1);
    std::vector<juce::uint8> indexes ((size_t) (pixels.width * pixels.height));
    auto* index = indexes.data();

    // Most of the picture is background: eight untouched pixels at a time
    // take its index.
    std::array<juce::uint8, 8> background;
    background.fill (indexOfDarkness[0]);

    for (int y = 0; y < pixels.height; ++y)
    {
        const auto* alpha = pixels.getLinePointer (y);
        int x = 0;

        for (juce::uint64 eight; x + 8 <= pixels.width; x += 8, index += 8)
        {
            std::memcpy (&eight, alpha + x, 8);

            if (eight == 0)
                std::memcpy (index, background.data(), 8);
            else
                for (int i = 0; i < 8; ++i)
                    index[i] = indexOfDarkness[alpha[x + i]];
        }

        for (; x < pixels.width; ++x)
            *index++ = indexOfDarkness[alpha[x]];
    }

    return indexes;
}

// Fills line[from..to) with the colours of positions on the colour scale
// that change linearly from first by step a pixel.
void paintRamp (juce::uint8* line, int from, int to, float first, float step)
{
    const auto onScale = [] (float position) { return position >= 0.0f && position <= (float) (numLevelColours - 1); };

    if (onScale (first) && onScale (first + step * (float) (to - 1 - from)))
    {
        // Within the scale throughout: in fixed point, rounded by the half
        // added at the start.
        constexpr float one = 1 << 16;
        const auto increment = (int) (step * one);

        for (auto [x, position] = std::pair { from, (int) ((first + 0.5f) * one) }; x < to; ++x, position += increment)
            line[x] = (juce::uint8) (position >> 16);

        return;
    }

    for (int x = from; x < to; ++x, first += step)
        line[x] = Scale::indexAt (first);
}

// One pixel row per level row; across, the levels are interpolated linearly
// between the columns' times. Left of the first column's time and right of
// the last one's, the levels are those columns'.
void paintLevels (std::vector<juce::uint8>& indexes, juce::Rectangle<int> plot, const Spectrograms::Levels& levels, const Scale& scale)
{
    const auto numColumns = levels.numColumns;
    const auto pixelsPerColumn = (float) plot.getWidth() / (float) numColumns;
    const auto xOf = [&] (int column) { return ((float) column + 0.5f) * pixelsPerColumn - 0.5f; };

    // The first pixel at or right of each column's time.
    std::vector<int> firstPixels ((size_t) numColumns + 1, plot.getWidth());

    for (int column = 0; column < numColumns; ++column)
        firstPixels[(size_t) column] = juce::jlimit (0, plot.getWidth(), (int) std::ceil (xOf (column)));

    std::vector<float> positions ((size_t) numColumns);

    for (int row = 0; row < Spectrograms::numRows; ++row)
    {
        for (int column = 0; column < numColumns; ++column)
            positions[(size_t) column] = scale.positionOf (levels.get (column, row));

        auto* line = indexes.data() + (size_t) ((plot.getBottom() - 1 - row) * SpectrogramPicture::width + plot.getX());
        paintRamp (line, 0, firstPixels.front(), positions.front(), 0.0f);

        for (int column = 0; column + 1 < numColumns; ++column)
        {
            const auto from = firstPixels[(size_t) column], to = firstPixels[(size_t) column + 1];
            const auto step = (positions[(size_t) column + 1] - positions[(size_t) column]) / pixelsPerColumn;
            paintRamp (line, from, to, positions[(size_t) column] + ((float) from - xOf (column)) * step, step);
        }

        paintRamp (line, firstPixels[(size_t) numColumns - 1], plot.getWidth(), positions.back(), 0.0f);
    }
}

void paintColourBar (std::vector<juce::uint8>& indexes)
{
    for (int y = colourBar.getY(); y < colourBar.getBottom(); ++y)
    {
        const auto position = 1.0f - (float) (y - colourBar.getY()) / (float) (colourBar.getHeight() - 1);
        const auto index = (juce::uint8) (position * (numLevelColours - 1) + 0.5f);
        std::fill_n (indexes.data() + (size_t) (y * SpectrogramPicture::width + colourBar.getX()), colourBar.getWidth(), index);
    }
}
} // namespace

SpectrogramPicture::SpectrogramPicture (const Spectrograms& spectrograms, const juce::String& title)
    : palette (makePalette())
{
    const Scale scale (spectrograms);
    indexes = greyIndexes (drawLabels (spectrograms, scale, title));
    paintLevels (indexes, upperPlot, spectrograms.getInput(), scale);
    paintLevels (indexes, lowerPlot, spectrograms.getOutput(), scale);
    paintColourBar (indexes);
}

juce::Colour SpectrogramPicture::getPixel (int x, int y) const
{
    if (! juce::isPositiveAndBelow (x, width) || ! juce::isPositiveAndBelow (y, height))
        return {};

    return palette[indexes[(size_t) (y * width + x)]];
}

juce::Image SpectrogramPicture::toImage() const
{
    juce::Image image (juce::Image::RGB, width, height, false);

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelAt (x, y, getPixel (x, y));

    return image;
}

juce::Result SpectrogramPicture::write (const juce::File& file) const
{
    if (! file.getParentDirectory().createDirectory())
        return juce::Result::fail ("cannot create the folder " + file.getParentDirectory().getFullPathName());

    juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

    if (! PngFile::writeIndexed (indexes, width, height, palette, temporary.getFile()))
        return juce::Result::fail ("cannot write the spectrogram " + file.getFullPathName());

    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("cannot move the spectrogram to " + file.getFullPathName());

    return juce::Result::ok();
}
