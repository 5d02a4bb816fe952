#include "gui/files/FileDialog.h"

FileDialog::FileDialog() = default;

FileDialog::~FileDialog() = default;

void FileDialog::setLauncher (Launcher newLauncher)
{
    launcher = std::move (newLauncher);
}

void FileDialog::launch (const Request& request, Callback callback)
{
    // "No choice" never reaches the owner, whichever dialog answered.
    const Callback answer = [callback = std::move (callback)] (const juce::File& file) {
        if (file != juce::File())
            callback (file);
    };

    if (launcher)
        launcher (request, answer);
    else
        launchChooser (request, answer);
}

void FileDialog::launchChooser (const Request& request, const Callback& callback)
{
    // A new chooser replaces one still open; JUCE drops the old one's answer.
    chooser = std::make_unique<juce::FileChooser> (request.title, request.startingLocation, request.patterns);

    using Browser = juce::FileBrowserComponent;
    const int flags = Browser::canSelectFiles
                      | (request.saving ? Browser::saveMode | Browser::warnAboutOverwriting : Browser::openMode);

    chooser->launchAsync (flags, [callback] (const juce::FileChooser& fc) { callback (fc.getResult()); });
}
