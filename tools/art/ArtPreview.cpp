#include "tools/art/ArtPreview.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/FilmStrip.h"
#include "tools/art/PngWriter.h"

namespace
{
int frameFor (float position, int frames)
{
    return (int) std::floor ((float) (frames - 1) * position + 0.5f);
}
} // namespace

ArtPreview::ArtPreview (const SkinLayout& skinLayout, const juce::Array<ArtCatalogue::Entry>& faceImages,
                        const juce::Array<ArtCatalogue::Entry>& widgetImages)
    : layout (skinLayout), face (faceImages), widgets (widgetImages)
{
}

const ArtCatalogue::Entry* ArtPreview::findImage (const juce::String& fileName) const
{
    for (const auto& entry : face)
        if (entry.fileName.equalsIgnoreCase (fileName))
            return &entry;

    return nullptr;
}

bool ArtPreview::isHidden (const SkinLayout::Control& control, float position) const
{
    // Each oscillator shows its rate knob while its sync is off and its
    // note-rate switch otherwise, as the editor does.
    const bool syncOff = frameFor (position, 4) == 0;
    return control.name.endsWith (syncOff ? "RateSwitch" : "RateKnob");
}

juce::Image ArtPreview::composeFace (float position) const
{
    const auto* background = findImage (layout.getBackgroundResource());
    auto composed = background->image.createCopy();
    juce::Graphics g (composed);

    // Controls written first in the skin lie on top: paint them last.
    for (int index = layout.getControls().size(); --index >= 0;)
    {
        const auto& control = layout.getControls().getReference (index);
        const auto* strip = findImage (control.resource);

        if (strip == nullptr || isHidden (control, position))
            continue;

        if (control.tag == "Display")
        {
            // What the display paints: its background and the name in the font.
            g.setColour (ArtPalette::displayBackground);
            g.fillRect (control.bounds);
            const juce::String text = "Deep Swirl Phaser";

            for (int cell = 0; cell < control.bounds.getWidth() / 7; ++cell)
            {
                const juce::juce_wchar ch = cell < text.length() ? text[cell] : ' ';
                const int glyph = (cell == text.length() ? 96 : 0) + (int) ch - 32;
                g.drawImage (strip->image, control.bounds.getX() + 3 + cell * 7, control.bounds.getY() + 2, 7, 9, 0, glyph * 9, 7, 9);
            }

            continue;
        }

        const auto frame = FilmStrip::getFrame (strip->image, strip->frames, frameFor (position, strip->frames));
        g.drawImageAt (frame, control.bounds.getX(), control.bounds.getY());
    }

    return composed;
}

juce::Image ArtPreview::enlarged (const juce::Image& image, int factor)
{
    juce::Image big (juce::Image::ARGB, image.getWidth() * factor, image.getHeight() * factor, true);

    for (int y = 0; y < big.getHeight(); ++y)
        for (int x = 0; x < big.getWidth(); ++x)
            big.setPixelAt (x, y, image.getPixelAt (x / factor, y / factor));

    return big;
}

juce::Image ArtPreview::stripSheet (const ArtCatalogue::Entry& entry, int factor) const
{
    const int frames = juce::jmax (1, entry.frames);
    const int frameWidth = entry.image.getWidth();
    const int frameHeight = entry.image.getHeight() / frames;
    const int columns = juce::jmin (frames, juce::jmax (1, 640 / ((frameWidth + 2) * factor)));
    const int rows = (frames + columns - 1) / columns;
    const int cellWidth = (frameWidth + 4) * factor, cellHeight = (frameHeight + 4) * factor;

    juce::Image sheet (juce::Image::RGB, columns * cellWidth, rows * cellHeight + 14, true);
    juce::Graphics g (sheet);
    g.fillAll (ArtPalette::panelTop);
    g.setColour (juce::Colours::white);
    g.setFont (12.0f);
    g.drawSingleLineText (entry.fileName + "  " + juce::String (frames) + " frames", 2, 11);

    for (int frame = 0; frame < frames; ++frame)
    {
        const auto big = enlarged (FilmStrip::getFrame (entry.image, frames, frame), factor);
        g.drawImageAt (big, (frame % columns) * cellWidth + 2 * factor, (frame / columns) * cellHeight + 2 * factor + 14);
    }

    return sheet;
}

juce::Image ArtPreview::widgetSheet (int factor) const
{
    juce::Image sheet (juce::Image::RGB, 1100, 1000, true);
    juce::Graphics g (sheet);
    g.fillAll (ArtPalette::widgetBackground);
    int x = 4, y = 4, rowHeight = 0;

    for (const auto& entry : widgets)
    {
        const auto big = enlarged (entry.image, factor);

        if (x + big.getWidth() > sheet.getWidth())
        {
            x = 4;
            y += rowHeight + 6;
            rowHeight = 0;
        }

        g.drawImageAt (big, x, y);
        x += big.getWidth() + 6;
        rowHeight = juce::jmax (rowHeight, big.getHeight());
    }

    return sheet.getClippedImage ({ 0, 0, sheet.getWidth(), juce::jmin (sheet.getHeight(), y + rowHeight + 4) }).createCopy();
}

juce::Result ArtPreview::writeAll (const juce::File& folder, float position) const
{
    const auto sheets = folder.getChildFile ("sheets");
    sheets.createDirectory();

    const auto composed = composeFace (position);
    auto result = PngWriter::write (composed, folder.getChildFile ("face.png"));

    if (result.wasOk())
        result = PngWriter::write (enlarged (composed, 3), folder.getChildFile ("face-3x.png"));

    if (result.wasOk())
        result = PngWriter::write (widgetSheet (3), folder.getChildFile ("widgets-3x.png"));

    for (const auto& entry : face)
        if (result.wasOk() && entry.fileName != layout.getBackgroundResource())
            result = PngWriter::write (stripSheet (entry, entry.frames > 20 ? 2 : 4), sheets.getChildFile (entry.fileName));

    return result;
}
