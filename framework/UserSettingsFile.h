#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

// Where the settings file lives, and its reading and writing. It lives
// beside the library while that folder can be written; otherwise in a
// per-user folder. Reading takes the file where the next write will go, and
// when that one is missing (a library folder that cannot be written, no
// per-user file yet) the one beside the library.
class UserSettingsFile
{
public:
    using WriteCheck = std::function<bool (const juce::File&)>;

    // No file beside the library (an empty one) means no settings file at all.
    UserSettingsFile (juce::File besideLibrary, juce::File perUser, WriteCheck canWrite = canWriteFile);

    juce::File getWriteFile() const;
    juce::File getReadFile() const;

    // pluginName/pluginName.ini in the user's settings folder: %APPDATA% on
    // Windows, elsewhere $XDG_CONFIG_HOME or ~/.config.
    static juce::File getPerUserFile (const juce::String& pluginName);
    // Whether the file's folder exists and this process may write in it
    // (the file is replaced by a rename, so its own permissions do not count).
    static bool canWriteFile (const juce::File& file);

    // The document in the file; nothing for no file, a missing one or one that does not parse.
    static std::unique_ptr<juce::XmlElement> read (const juce::File& file);
    // Writes the document, creating the file's folder first. The plug-in
    // writes when an instance goes, where no one could be told, so callers
    // ignore the result.
    static juce::Result write (const juce::XmlElement& xml, const juce::File& file);

private:
    juce::File besideLibrary, perUser;
    WriteCheck canWrite;
};
