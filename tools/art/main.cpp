// quilvern-art: draws the product's artwork (the face, its film strips, the
// display font and the look and feel's images) at 1x and at 2x and writes
// the PNG files (Name.png, Name@2x.png) into the resource folder, from
// which the plug-in embeds them, and the standalone program's desktop icons
// into its icons/ folder.
//
//     quilvern-art RESOURCES [--preview FOLDER] [--position P]
//
// --preview also writes the composed face, enlargements and contact sheets
// into FOLDER (the 2x set's into FOLDER/2x), the 2x face beside the 1x face
// resampled, and prints how many strong edges each keeps; --position (0 to
// 1, default 0) picks the frame every strip shows in the composed face.
#include "tools/art/AppIcon.h"
#include "tools/art/ArtCatalogue.h"
#include "tools/art/ArtPreview.h"
#include "tools/art/ArtScale.h"
#include "tools/art/PngWriter.h"
#include "tools/art/ScaleComparison.h"

#include <juce_events/juce_events.h>

#include <cstdio>
#include <vector>

namespace
{
int fail (const juce::String& message)
{
    std::fprintf (stderr, "quilvern-art: %s\n", message.toRawUTF8());
    return 1;
}

juce::File argumentFile (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

juce::Result writeImages (const juce::Array<ArtCatalogue::Entry>& entries, const juce::File& folder)
{
    for (const auto& entry : entries)
    {
        const auto result = PngWriter::write (entry.image, folder.getChildFile (entry.fileName));

        if (result.failed())
            return result;
    }

    return juce::Result::ok();
}

struct ArtSet
{
    int scale;
    juce::Array<ArtCatalogue::Entry> face, widgets;
};

juce::Result writePreviews (const SkinLayout& layout, const std::vector<ArtSet>& sets, const juce::File& folder, float position)
{
    juce::Array<juce::Image> faces;

    for (const auto& set : sets)
    {
        const ArtPreview preview (layout, set.face, set.widgets, set.scale);
        const auto setFolder = set.scale == 1 ? folder : folder.getChildFile (juce::String (set.scale) + "x");
        setFolder.createDirectory();
        faces.add (preview.composeFace (position));

        if (const auto result = preview.writeAll (setFolder, position); result.failed())
            return result;
    }

    for (int part = 0; part < 3; ++part)
    {
        const auto name = "face-compare-part" + juce::String (part + 1) + "-2x.png";
        const auto result = PngWriter::write (ScaleComparison::sideBySide (faces[0], faces[1], part, 2), folder.getChildFile (name));

        if (result.failed())
            return result;
    }

    std::printf ("quilvern-art: %s\n", ScaleComparison::edgeReport (faces[0], faces[1]).toRawUTF8());
    return juce::Result::ok();
}
} // namespace

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const juce::StringArray arguments (argv + 1, argc - 1);

    if (arguments.isEmpty() || arguments[0].startsWith ("-"))
        return fail ("usage: quilvern-art RESOURCES [--preview FOLDER] [--position P]");

    const auto resources = argumentFile (arguments[0]);
    const int previewIndex = arguments.indexOf ("--preview");
    const int positionIndex = arguments.indexOf ("--position");
    const float position = positionIndex > 0 ? juce::jlimit (0.0f, 1.0f, arguments[positionIndex + 1].getFloatValue()) : 0.0f;

    ArtFonts fonts;
    SkinLayout layout;

    for (const auto& result : { fonts.load (resources), layout.load (resources.getChildFile ("skin.xml")) })
        if (result.failed())
            return fail (result.getErrorMessage());

    std::vector<ArtSet> sets;
    int written = 0;

    for (const int scale : ArtScale::scales)
    {
        const ArtCatalogue catalogue (layout, fonts, scale);
        sets.push_back ({ scale, catalogue.faceImages(), catalogue.widgetImages() });

        for (const auto& result : { writeImages (sets.back().face, resources), writeImages (sets.back().widgets, resources) })
            if (result.failed())
                return fail (result.getErrorMessage());

        written += sets.back().face.size() + sets.back().widgets.size();
    }

    std::printf ("quilvern-art: wrote %d images into %s\n", written, resources.getFullPathName().toRawUTF8());

    // The standalone program's desktop icons, outside the embedded files.
    const auto icons = resources.getChildFile ("icons");

    if (const auto result = AppIcon::writeAll (icons); result.failed())
        return fail (result.getErrorMessage());

    std::printf ("quilvern-art: wrote the desktop icons into %s\n", icons.getFullPathName().toRawUTF8());

    if (previewIndex > 0)
    {
        const auto folder = argumentFile (arguments[previewIndex + 1]);
        folder.createDirectory();
        const auto result = writePreviews (layout, sets, folder, position);

        if (result.failed())
            return fail (result.getErrorMessage());

        std::printf ("quilvern-art: previews in %s\n", folder.getFullPathName().toRawUTF8());
    }

    return 0;
}
