#pragma once

#include "gui/files/FileDialog.h"

#include <vector>

// Stands in for the user at a file dialog: writes down each request and
// answers it at once with the file given (an empty one for "no choice").
struct ScriptedFileDialog
{
    void install (FileDialog& dialog)
    {
        dialog.setLauncher ([this] (const FileDialog::Request& request, const FileDialog::Callback& callback) {
            requests.push_back (request);
            callback (answer);
        });
    }

    juce::File answer;
    std::vector<FileDialog::Request> requests;
};
