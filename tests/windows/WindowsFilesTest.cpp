// The plug-in's files on Windows: the settings file's per-user place,
// documents written over existing ones, in folders whose names need UTF-16
// surrogate pairs, and a settings file that another program holds open or
// that is read-only when an instance writes it.
#include <gmock/gmock.h>

#include "framework/FileReplacer.h"
#include "framework/UserSettingsFile.h"
#include "framework/XmlUtilities.h"
#include "fuzz/WalkingPlugin.h"

#ifndef NOMINMAX
 #define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <thread>

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

namespace
{
// A settings file of one text, in a folder of its own.
class SettingsPlugin : public WalkingPlugin
{
public:
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override
    {
        auto xml = createElementWithApplication ("UserSettings");
        xml->setAttribute ("choice", choice);
        return xml;
    }

    juce::File getUserSettingsFile() const override { return file; }

    juce::File file;
    juce::String choice;
};

// What another program does to the file: open it without letting anyone
// write or delete it (as a second instance reading it, or a virus scanner).
HANDLE holdOpen (const juce::File& file)
{
    return CreateFileW (file.getFullPathName().toWideCharPointer(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

juce::String choiceIn (const juce::File& file)
{
    const auto xml = XmlUtilities::readFile (file);
    return xml != nullptr ? xml->getStringAttribute ("choice") : "(no settings)";
}

bool hasTemporaryFile (const juce::File& folder)
{
    return folder.getNumberOfChildFiles (juce::File::findFiles, "*.tmp") > 0;
}
} // namespace

// The rename is tried again while the other program holds the file, then
// succeeds once it lets go; held for longer, the write fails and the file
// stays whole. Neither leaves a temporary file.
TEST (WindowsFiles, ASettingsFileHeldOpenIsReplacedOnceReleasedAndKeptWholeOtherwise)
{
    TemporaryFolder folder;
    SettingsPlugin plugin;
    plugin.file = folder.root.getChildFile ("Quilvern.ini");
    plugin.choice = "earlier";
    plugin.saveUserSettingsFile();
    ASSERT_EQ (choiceIn (plugin.file), "earlier");

    // Let go a moment after the plug-in has begun writing.
    const auto held = holdOpen (plugin.file);
    ASSERT_NE (held, INVALID_HANDLE_VALUE);
    std::thread other ([&] {
        const auto deadline = juce::Time::getMillisecondCounter() + 10000;

        while (! hasTemporaryFile (folder.root) && juce::Time::getMillisecondCounter() < deadline)
            juce::Thread::yield();

        juce::Thread::sleep (5 * FileReplacer::retryDelayMs);
        CloseHandle (held);
    });

    plugin.choice = "later";
    const auto written = UserSettingsFile::write (*plugin.createUserSettingsXml(), plugin.file);
    other.join();
    EXPECT_TRUE (written.wasOk()) << written.getErrorMessage();
    EXPECT_EQ (choiceIn (plugin.file), "later");
    EXPECT_FALSE (hasTemporaryFile (folder.root));

    // Held for good.
    const auto stuck = holdOpen (plugin.file);
    ASSERT_NE (stuck, INVALID_HANDLE_VALUE);
    plugin.choice = "never";
    const auto refused = UserSettingsFile::write (*plugin.createUserSettingsXml(), plugin.file);
    CloseHandle (stuck);
    EXPECT_TRUE (refused.failed());
    EXPECT_FALSE (refused.getErrorMessage().isEmpty());
    EXPECT_EQ (choiceIn (plugin.file), "later");
    EXPECT_FALSE (hasTemporaryFile (folder.root));

    plugin.saveUserSettingsFile(); // as at an instance's end: the failure goes unsaid
    EXPECT_EQ (choiceIn (plugin.file), "never");
}

// A read-only settings file is the user's choice: it is not replaced, not
// waited for, and nothing is left beside it.
TEST (WindowsFiles, AReadOnlySettingsFileStaysAsItIs)
{
    TemporaryFolder folder;
    SettingsPlugin plugin;
    plugin.file = folder.root.getChildFile ("Quilvern.ini");
    plugin.choice = "kept";
    plugin.saveUserSettingsFile();
    ASSERT_TRUE (SetFileAttributesW (plugin.file.getFullPathName().toWideCharPointer(), FILE_ATTRIBUTE_READONLY));

    plugin.choice = "replaced";
    const auto result = UserSettingsFile::write (*plugin.createUserSettingsXml(), plugin.file);
    EXPECT_TRUE (result.failed());
    EXPECT_EQ (choiceIn (plugin.file), "kept");
    EXPECT_FALSE (hasTemporaryFile (folder.root));
    EXPECT_EQ (folder.root.getNumberOfChildFiles (juce::File::findFiles, "*"), 1);

    plugin.saveUserSettingsFile();
    EXPECT_EQ (choiceIn (plugin.file), "kept");

    SetFileAttributesW (plugin.file.getFullPathName().toWideCharPointer(), FILE_ATTRIBUTE_NORMAL);
}
