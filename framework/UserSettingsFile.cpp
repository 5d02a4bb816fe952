#include "framework/UserSettingsFile.h"

#include "framework/XmlUtilities.h"

#include <cstdlib>

namespace
{
// The user's own settings folder: %APPDATA% on Windows, elsewhere
// $XDG_CONFIG_HOME or ~/.config. JUCE's lookup of the latter ignores
// XDG_CONFIG_HOME; the XDG rules also ignore it when it is not an absolute path.
juce::File getUserSettingsFolder()
{
    const auto standard = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
   #if JUCE_WINDOWS
    return standard;
   #else
    const auto* configHome = std::getenv ("XDG_CONFIG_HOME");
    const juce::String configPath (juce::CharPointer_UTF8 (configHome != nullptr ? configHome : ""));
    return juce::File::isAbsolutePath (configPath) ? juce::File (configPath) : standard;
   #endif
}
} // namespace

UserSettingsFile::UserSettingsFile (juce::File besideLibraryToUse, juce::File perUserToUse, WriteCheck canWriteToUse)
    : besideLibrary (std::move (besideLibraryToUse)),
      perUser (std::move (perUserToUse)),
      canWrite (std::move (canWriteToUse))
{
}

juce::File UserSettingsFile::getWriteFile() const
{
    if (besideLibrary == juce::File() || canWrite (besideLibrary))
        return besideLibrary;

    return perUser;
}

juce::File UserSettingsFile::getReadFile() const
{
    const auto file = getWriteFile();
    return file.existsAsFile() ? file : besideLibrary;
}

juce::File UserSettingsFile::getPerUserFile (const juce::String& pluginName)
{
    return getUserSettingsFolder().getChildFile (pluginName).getChildFile (pluginName + ".ini");
}

bool UserSettingsFile::canWriteFile (const juce::File& file)
{
    const auto folder = file.getParentDirectory();
    return folder.isDirectory() && folder.hasWriteAccess();
}

std::unique_ptr<juce::XmlElement> UserSettingsFile::read (const juce::File& file)
{
    if (file == juce::File())
        return {};

    return XmlUtilities::readFile (file);
}

juce::Result UserSettingsFile::write (const juce::XmlElement& xml, const juce::File& file)
{
    if (file == juce::File())
        return juce::Result::ok();

    if (const auto folder = file.getParentDirectory().createDirectory(); folder.failed())
        return folder;

    return XmlUtilities::writeFile (xml, file);
}
