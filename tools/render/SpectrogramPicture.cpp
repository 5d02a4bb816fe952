#include "tools/render/SpectrogramPicture.h"

#include "framework/EmbeddedResources.h"
#include "tools/render/PngFile.h"
#include "tools/render/UnkernedTypeface.h"

#include <cmath>

namespace
{
constexpr int left = 70, right = 90, top = 40, panelTitle = 24, gap = 12, bottom = 50;
constexpr int plotWidth = SpectrogramPicture::width - left - right;
constexpr int plotHeight = Spectrograms::numRows; // one pixel row per level row
static_assert (SpectrogramPicture::height == top + 2 * (panelTitle + plotHeight) + gap + bottom);

constexpr float dynamicRange = 80.0f;
constexpr int numLevelColours = 128;
constexpr int firstGrey = numLevelColours; // then greys 0, 2, 4 ... 254

const juce::Colour background (0xfffcfcfc), ink (0xff202020), tickInk (0xff707070);

const juce::Rectangle<int> upperPlot (left, top + panelTitle, plotWidth, plotHeight);
const juce::Rectangle<int> lowerPlot = upperPlot.translated (0, plotHeight + gap + panelTitle);
const juce::Rectangle<int> colourBar (upperPlot.getRight() + 24, upperPlot.getY(), 14, lowerPlot.getBottom() - upperPlot.getY());

juce::Font font (float height)
{
    // The product's own Tahoma-compatible face, so the picture looks the
    // same on every machine; it is loaded once and keeps its glyphs.
    static const auto typeface = UnkernedTypeface::create (EmbeddedResources::loadResourceData ("tahoma.ttf"));
    return typeface != nullptr ? juce::Font (typeface).withHeight (height) : juce::Font (height);
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

    juce::uint8 indexOf (float db) const
    {
        const auto position = juce::jlimit (0.0f, 1.0f, (db - bottomDb) / dynamicRange);
        return (juce::uint8) (position * (numLevelColours - 1) + 0.5f);
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
        g.drawHorizontalLine (y, (float) plot.getX() - 5.0f, (float) plot.getX());
        g.setColour (ink);
        g.drawText (frequencyLabel (hz), plot.getX() - 44, y - 7, 36, 14, juce::Justification::centredRight);
    }

    juce::Graphics::ScopedSaveState saved (g);
    g.addTransform (juce::AffineTransform::rotation (-juce::MathConstants<float>::halfPi, 14.0f, (float) plot.getCentreY()));
    g.setFont (font (13.0f));
    g.drawText ("Frequency (Hz)", 14 - 100, plot.getCentreY() - 8, 200, 16, juce::Justification::centred);
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

// Everything but the colours of the levels, drawn by JUCE in greys.
juce::Image drawLabels (const Spectrograms& spectrograms, const Scale& scale, const juce::String& title)
{
    juce::Image image (juce::Image::RGB, SpectrogramPicture::width, SpectrogramPicture::height, false);
    juce::Graphics g (image);
    g.fillAll (background);

    g.setColour (ink);
    g.setFont (font (15.0f));
    g.drawText (title, left, 8, plotWidth, 20, juce::Justification::centredLeft);

    drawPanelFrame (g, "Input", spectrograms, upperPlot);
    drawPanelFrame (g, "Output", spectrograms, lowerPlot);
    drawTimeAxis (g, spectrograms.getSeconds());
    drawColourBarLabels (g, scale);
    return image;
}

std::vector<juce::uint8> greyIndexes (const juce::Image& image)
{
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    std::vector<juce::uint8> indexes ((size_t) (image.getWidth() * image.getHeight()));
    auto* index = indexes.data();

    for (int y = 0; y < image.getHeight(); ++y)
    {
        const auto* pixel = reinterpret_cast<const juce::PixelRGB*> (pixels.getLinePointer (y));

        for (int x = 0; x < image.getWidth(); ++x)
            *index++ = (juce::uint8) (firstGrey + pixel[x].getGreen() / 2);
    }

    return indexes;
}

// One pixel row per level row; across, the levels are interpolated linearly
// between the columns' times.
void paintLevels (std::vector<juce::uint8>& indexes, juce::Rectangle<int> plot, const Spectrograms::Levels& levels, const Scale& scale)
{
    const auto lastColumn = levels.numColumns - 1;

    for (int x = 0; x < plot.getWidth(); ++x)
    {
        const auto position = juce::jlimit (0.0f, (float) lastColumn, ((float) x + 0.5f) * (float) levels.numColumns / (float) plot.getWidth() - 0.5f);
        const auto before = (int) position, after = juce::jmin (before + 1, lastColumn);
        const auto weight = position - (float) before;
        auto* pixel = indexes.data() + (size_t) ((plot.getBottom() - 1) * SpectrogramPicture::width + plot.getX() + x);

        for (int row = 0; row < Spectrograms::numRows; ++row, pixel -= SpectrogramPicture::width)
            *pixel = scale.indexOf (levels.get (before, row) + weight * (levels.get (after, row) - levels.get (before, row)));
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
