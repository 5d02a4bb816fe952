// The plug-in's files on Windows: the settings file's per-user place and
// documents written over existing ones, in folders whose names need UTF-16
// surrogate pairs.
#include <gmock/gmock.h>

#include "framework/XmlUtilities.h"
#include "fuzz/WalkingPlugin.h"

#include <cstdlib>

namespace
{
const juce::String unusualName (juce::CharPointer_UTF8 (u8"\u03a9\u03bc\u00e9\u03b3\u03b1-\U0001f39b"));

struct TemporaryFolder
{
    TemporaryFolder() { root.createDirectory(); }
    ~TemporaryFolder() { root.deleteRecursively(); }

    const juce::File root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getChildFile (unusualName + "-" + juce::Uuid().toString());
};

// A settings file that cannot stay beside the library.
class ReadOnlyLibraryFolderPlugin : public WalkingPlugin
{
public:
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override
    {
        auto xml = createElementWithApplication ("UserSettings");
        xml->setAttribute ("choice", choice);
        return xml;
    }

    void loadUserSettings (const juce::XmlElement& e) override { choice = e.getStringAttribute ("choice"); }

    juce::File getUserSettingsFile() const override { return libraryFolder.getChildFile ("Quilvern.ini"); }
    bool canWriteUserSettingsFile (const juce::File& file) const override { return ! file.isAChildOf (libraryFolder); }

    juce::File libraryFolder;
    juce::String choice;
};

juce::XmlElement document (const juce::String& text)
{
    juce::XmlElement root ("UserSettings");
    root.setAttribute ("text", text);
    return root;
}
} // namespace

// The C library's rename refuses to replace a file on Windows; a settings
// file written once would never change again.
TEST (WindowsFiles, DocumentsReplaceEarlierOnesInUnusualFolders)
{
    TemporaryFolder folder;
    const auto file = folder.root.getChildFile (unusualName + ".qvprs");

    for (const auto& text : { juce::String ("first"), unusualName })
    {
        ASSERT_TRUE (XmlUtilities::writeFile (document (text), file)) << text;
        const auto read = XmlUtilities::readFile (file);
        ASSERT_NE (read, nullptr);
        EXPECT_EQ (read->getStringAttribute ("text"), text);
    }

    EXPECT_EQ (folder.root.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 1) << "no temporary file is left";
}

TEST (WindowsFiles, SettingsFallBackToTheUsersApplicationDataFolder)
{
    // The folder of the Roaming profile, whatever XDG_CONFIG_HOME says.
    TemporaryFolder elsewhere;
    _wputenv_s (L"XDG_CONFIG_HOME", elsewhere.root.getFullPathName().toWideCharPointer());

    TemporaryFolder library;
    ReadOnlyLibraryFolderPlugin plugin;
    plugin.libraryFolder = library.root;

    const auto appData = juce::File (juce::SystemStats::getEnvironmentVariable ("APPDATA", {}));
    ASSERT_TRUE (appData.isDirectory());
    const auto expected = appData.getChildFile ("Quilvern").getChildFile ("Quilvern.ini");
    const bool existedBefore = expected.getParentDirectory().exists();
    EXPECT_EQ (plugin.getUserSettingsWriteFile().getFullPathName(), expected.getFullPathName());

    plugin.choice = unusualName;
    plugin.saveUserSettingsFile();
    EXPECT_TRUE (expected.existsAsFile());
    EXPECT_FALSE (plugin.getUserSettingsFile().exists());

    plugin.choice = {};
    plugin.loadUserSettingsFile();
    EXPECT_EQ (plugin.choice, unusualName);

    if (existedBefore)
        expected.deleteFile();
    else
        expected.getParentDirectory().deleteRecursively();

    _wputenv_s (L"XDG_CONFIG_HOME", L"");
}
