// quilvern-art: draws the product's artwork (the face, its film strips, the
// display font and the look and feel's images) and writes the PNG files
// into the resource folder, from which the plug-in embeds them, and the
// standalone program's desktop icons into its icons/ folder.
//
//     quilvern-art RESOURCES [--preview FOLDER] [--position P]
//
// --preview also writes the composed face, enlargements and contact sheets
// into FOLDER; --position (0 to 1, default 0) picks the frame every strip
// shows in the composed face.
#include "tools/art/AppIcon.h"
#include "tools/art/ArtCatalogue.h"
#include "tools/art/ArtPreview.h"
#include "tools/art/PngWriter.h"

#include <juce_events/juce_events.h>

#include <cstdio>

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

    const ArtCatalogue catalogue (layout, fonts);
    const auto face = catalogue.faceImages();
    const auto widgets = catalogue.widgetImages();

    for (const auto& result : { writeImages (face, resources), writeImages (widgets, resources) })
        if (result.failed())
            return fail (result.getErrorMessage());

    std::printf ("quilvern-art: wrote %d images into %s\n", face.size() + widgets.size(), resources.getFullPathName().toRawUTF8());

    // The standalone program's desktop icons, outside the embedded files.
    const auto icons = resources.getChildFile ("icons");

    if (const auto result = AppIcon::writeAll (icons); result.failed())
        return fail (result.getErrorMessage());

    std::printf ("quilvern-art: wrote the desktop icons into %s\n", icons.getFullPathName().toRawUTF8());

    if (previewIndex > 0)
    {
        const auto folder = argumentFile (arguments[previewIndex + 1]);
        folder.createDirectory();
        const auto result = ArtPreview (layout, face, widgets).writeAll (folder, position);

        if (result.failed())
            return fail (result.getErrorMessage());

        std::printf ("quilvern-art: previews in %s\n", folder.getFullPathName().toRawUTF8());
    }

    return 0;
}
