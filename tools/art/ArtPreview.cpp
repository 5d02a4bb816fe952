#include "tools/art/ArtPreview.h"

#include "tools/art/ArtPalette.h"
#include "tools/art/ArtScale.h"
#include "tools/art/PngWriter.h"
#include "tools/art/StripRenderer.h"

namespace
{
int frameFor (float position, int frames)
{
    return (int) std::floor ((float) (frames - 1) * position + 0.5f);
}
} // namespace

ArtPreview::ArtPreview (const SkinLayout& skinLayout, const juce::Array<ArtCatalogue::Entry>& faceImages,
                        const juce::Array<ArtCatalogue::Entry>& widgetImages, int artScale)
    : layout (skinLayout), face (faceImages), widgets (widgetImages), scale (artScale)
{
}

int ArtPreview::enlargement (int factorAt1x) const
{
    return juce::jmax (1, (factorAt1x + scale - 1) / scale);
}

// Found by the 1x name.
const ArtCatalogue::Entry* ArtPreview::findImage (const juce::String& fileName) const
{
    for (const auto& entry : face)
        if (entry.fileName.equalsIgnoreCase (ArtScale::fileName (fileName, scale)))
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
    ArtScale::apply (g, scale);

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
                const auto glyphImage = strip->image.getClippedImage (juce::Rectangle<int> (0, glyph * 9, 7, 9) * scale);
                ArtScale::drawPixels (g, glyphImage, control.bounds.getPosition() + juce::Point<int> (3 + cell * 7, 2));
            }

            continue;
        }

        const auto frame = StripRenderer::getFrame (strip->image, strip->frames, frameFor (position, strip->frames));
        ArtScale::drawPixels (g, frame, control.bounds.getPosition());
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
        const auto big = enlarged (StripRenderer::getFrame (entry.image, frames, frame), factor);
        g.drawImageAt (big, (frame % columns) * cellWidth + 2 * factor, (frame / columns) * cellHeight + 2 * factor + 14);
    }

    return sheet;
}

juce::Image ArtPreview::widgetSheet (int factor) const
{
    juce::Image sheet (juce::Image::RGB, 1100, 4000, true);
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

juce::Image ArtPreview::widget (const juce::String& fileName) const
{
    for (const auto& entry : widgets)
        if (entry.fileName == ArtScale::fileName (fileName, scale))
            return entry.image;

    return {};
}

void ArtPreview::paintTextButton (juce::Graphics& g, const juce::String& prefix, bool pressed, juce::Rectangle<int> area) const
{
    // As a text button puts its slices together: caps at the ends, the
    // middle and the overlay stretched between them.
    const juce::String suffix = pressed ? "Pressed.png" : ".png";
    const auto left = widget (prefix + "Left" + suffix);
    const auto right = widget (prefix + "Right" + suffix);
    const auto middle = area.withTrimmedLeft (left.getWidth() / scale).withTrimmedRight (right.getWidth() / scale);

    ArtScale::drawPixels (g, left, area.getPosition());
    g.drawImage (widget (prefix + "Middle" + suffix), middle.toFloat());
    ArtScale::drawPixels (g, right, { middle.getRight(), area.getY() });

    if (! pressed)
        g.drawImage (widget (prefix + "Overlay.png"), middle.toFloat());

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (13.0f, juce::Font::bold));
    g.drawText ("Load", area.withTrimmedBottom (2).translated (0, pressed ? 1 : 0), juce::Justification::centred);
}

juce::Image ArtPreview::assembledSamples() const
{
    auto sheet = ArtScale::image (juce::Image::RGB, 320, 120, scale);
    juce::Graphics g (sheet);
    ArtScale::apply (g, scale);
    g.fillAll (ArtPalette::widgetBackground);

    paintTextButton (g, "TextButton", false, { 8, 8, 70, 28 });
    paintTextButton (g, "TextButton", true, { 86, 8, 70, 28 });
    paintTextButton (g, "TextButtonLarge", false, { 164, 6, 70, 32 });
    paintTextButton (g, "TextButtonLarge", true, { 242, 6, 70, 32 });

    // Browser rows: ordinary and selected.
    const juce::Rectangle<int> rows[] = { { 8, 48, 140, 20 }, { 8, 68, 140, 20 } };
    const char* const names[] = { "Factory", "Slow Sweep" };

    for (int row = 0; row < 2; ++row)
        for (int selected = 0; selected < 2; ++selected)
        {
            auto area = rows[row].translated (selected * 150, 0);
            g.setColour (selected ? juce::Colour (0xff5b5b5b) : juce::Colours::white);
            g.fillRect (area);
            const auto icon = widget (juce::String (row == 0 ? "GroupIcon" : "PresetIcon") + (selected ? "Selected.png" : ".png"));
            ArtScale::drawPixels (g, icon, area.getPosition() + juce::Point<int> (2, 2));
            g.setColour (selected ? juce::Colours::white : juce::Colours::black);
            g.setFont (13.0f);
            g.drawText (names[row], area.withTrimmedLeft (22), juce::Justification::centredLeft);
        }

    // A window's title bar with its icon.
    g.setColour (juce::Colour (0xff444444));
    g.fillRoundedRectangle (8.0f, 94.0f, 200.0f, 24.0f, 4.0f);
    ArtScale::drawPixels (g, widget ("WindowTitleIcon.png"), { 11, 94 });
    g.setColour (juce::Colours::white);
    g.setFont (juce::Font (15.0f, juce::Font::bold));
    g.drawText ("Options", 40, 94, 160, 24, juce::Justification::centredLeft);
    return sheet;
}

juce::Image ArtPreview::fontSheet (const juce::Image& font) const
{
    // The 96 glyphs in rows of 16 as the display draws them: the upper half
    // of the strip, then the lower (inverted) half.
    const int cellWidth = 7 * scale, cellHeight = 9 * scale;
    constexpr int glyphs = 96, perRow = 16;
    juce::Image sheet (juce::Image::RGB, perRow * cellWidth, 2 * (glyphs / perRow) * cellHeight, true);
    juce::Graphics g (sheet);

    for (int glyph = 0; glyph < 2 * glyphs; ++glyph)
    {
        const int row = glyph / perRow, column = glyph % perRow;
        g.drawImage (font, column * cellWidth, row * cellHeight, cellWidth, cellHeight, 0, glyph * cellHeight, cellWidth, cellHeight);
    }

    return sheet;
}

juce::Result ArtPreview::writeAll (const juce::File& folder, float position) const
{
    const auto sheets = folder.getChildFile ("sheets");
    sheets.createDirectory();
    const auto named = [] (const juce::String& name, int factor) { return name + "-" + juce::String (factor) + "x.png"; };

    const auto composed = composeFace (position);
    auto result = PngWriter::write (composed, folder.getChildFile ("face.png"));

    if (result.wasOk())
        result = PngWriter::write (enlarged (composed, enlargement (3)), folder.getChildFile (named ("face", enlargement (3))));

    // The face in three parts at four times the 1x size, to judge the pixels.
    for (int part = 0; part < 3 && result.wasOk(); ++part)
    {
        const int width = (composed.getWidth() + 2) / 3;
        const auto crop = composed.getClippedImage ({ part * width, 0, width, composed.getHeight() });
        result = PngWriter::write (enlarged (crop, enlargement (4)),
                                   folder.getChildFile (named ("face-part" + juce::String (part + 1), enlargement (4))));
    }

    if (result.wasOk())
        result = PngWriter::write (widgetSheet (enlargement (3)), folder.getChildFile (named ("widgets", enlargement (3))));

    if (const auto* font = findImage ("Fonts.png"); font != nullptr && result.wasOk())
        result = PngWriter::write (enlarged (fontSheet (font->image), enlargement (4)), folder.getChildFile (named ("font", enlargement (4))));

    if (result.wasOk())
        result = PngWriter::write (enlarged (assembledSamples(), enlargement (3)),
                                   folder.getChildFile (named ("widgets-assembled", enlargement (3))));

    for (const auto& entry : face)
        if (result.wasOk() && entry.fileName != ArtScale::fileName (layout.getBackgroundResource(), scale))
            result = PngWriter::write (stripSheet (entry, enlargement (entry.frames > 20 ? 2 : 4)), sheets.getChildFile (entry.fileName));

    return result;
}
