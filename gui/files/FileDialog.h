#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Asks the user for a file through JUCE's FileChooser without blocking: the
// dialog is launched asynchronously and the answer arrives later on the
// message thread, so a host's message loop keeps running meanwhile. The
// chooser lives here until the next request or until this object goes;
// going cancels the answer.
//
// Tests replace the dialog with a launcher that answers at once, so the code
// behind a "Browse", "Load" or "Save" button runs as it does for the user.
class FileDialog
{
public:
    struct Request
    {
        bool saving = false; // a save dialog that warns before overwriting
        juce::String title;
        juce::File startingLocation;
        juce::String patterns;
    };

    // Receives the chosen file; never called when the user chose nothing.
    using Callback = std::function<void (const juce::File&)>;
    // Shows a dialog for the request and hands the chosen file, or an
    // empty juce::File for none, to the callback.
    using Launcher = std::function<void (const Request&, const Callback&)>;

    FileDialog();
    ~FileDialog();

    void launch (const Request& request, Callback callback);

    // Puts another dialog in place of JUCE's FileChooser; an empty launcher
    // brings JUCE's back.
    void setLauncher (Launcher launcher);

private:
    void launchChooser (const Request& request, const Callback& callback);

    Launcher launcher;
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileDialog)
};
