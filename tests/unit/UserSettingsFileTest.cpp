#include <gmock/gmock.h>

#include "fuzz/WalkingPlugin.h"
#include "framework/UserSettingsFile.h"
#include "framework/XmlUtilities.h"
#include "support/Unprivileged.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <thread>

namespace
{
// Settings of one text, with both possible locations in a temporary folder.
class SettingsPlugin : public WalkingPlugin
{
public:
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override
    {
        auto xml = createElementWithApplication ("UserSettings");
        xml->setAttribute ("choice", choice);
        return xml;
    }

    void loadUserSettings (const juce::XmlElement& e) override { choice = e.getStringAttribute ("choice"); }

    juce::File getUserSettingsFile() const override { return besideLibrary; }
    juce::File getUserSettingsFallbackFile() const override { return perUser; }

    bool canWriteUserSettingsFile (const juce::File& file) const override
    {
        return libraryFolderWritable && BasePlugin::canWriteUserSettingsFile (file);
    }

    juce::File besideLibrary, perUser;
    bool libraryFolderWritable = true;
    juce::String choice;
};

struct SettingsFolders
{
    SettingsFolders() { root.createDirectory(); }
    ~SettingsFolders() { root.deleteRecursively(); }

    void setUp (SettingsPlugin& plugin, const juce::File& libraryFolder) const
    {
        plugin.besideLibrary = libraryFolder.getChildFile ("Quilvern.ini");
        plugin.perUser = root.getChildFile ("config/Quilvern/Quilvern.ini");
    }

    const juce::File root = juce::File::createTempFile ("settings");
};

juce::String readChoice (SettingsPlugin& plugin)
{
    plugin.choice = {};
    plugin.loadUserSettingsFile();
    return plugin.choice;
}
} // namespace

TEST (UserSettingsFile, StaysBesideTheLibraryWhileThatFolderCanBeWritten)
{
    SettingsFolders folders;
    SettingsPlugin plugin;
    folders.setUp (plugin, folders.root);

    plugin.choice = "mine";
    plugin.saveUserSettingsFile();
    EXPECT_TRUE (plugin.besideLibrary.existsAsFile());
    EXPECT_FALSE (plugin.perUser.exists());
    EXPECT_EQ (readChoice (plugin), "mine");
}

// A library folder that cannot be written: one that cannot even exist (a
// path below a regular file), and one the permission check refuses (tests
// may run as root, where permission bits do not stop a write).
TEST (UserSettingsFile, FallsBackToThePerUserFolderWhenTheLibraryFolderCannotBeWritten)
{
    SettingsFolders folders;
    const auto regularFile = folders.root.getChildFile ("library.so");
    ASSERT_TRUE (regularFile.replaceWithText ("not a folder"));

    SettingsPlugin impossible;
    folders.setUp (impossible, regularFile);
    EXPECT_EQ (impossible.getUserSettingsWriteFile(), impossible.perUser);
    impossible.choice = "fallback";
    impossible.saveUserSettingsFile();
    EXPECT_TRUE (impossible.perUser.existsAsFile()) << "the per-user folder is created";
    EXPECT_EQ (readChoice (impossible), "fallback");

    SettingsFolders others;
    SettingsPlugin readOnly;
    others.setUp (readOnly, others.root);
    readOnly.choice = "shared";
    readOnly.saveUserSettingsFile();
    readOnly.libraryFolderWritable = false;

    EXPECT_EQ (readChoice (readOnly), "shared") << "the library's file serves until there is a per-user one";
    readOnly.choice = "personal";
    readOnly.saveUserSettingsFile();
    EXPECT_EQ (readOnly.besideLibrary.loadFileAsString().contains ("shared"), true);
    EXPECT_EQ (readChoice (readOnly), "personal");
}

TEST (UserSettingsFile, DefaultPerUserFileHonoursXdgConfigHome)
{
    SettingsFolders folders;
    const auto* previous = std::getenv ("XDG_CONFIG_HOME");
    const juce::String saved (previous != nullptr ? previous : "");
    setenv ("XDG_CONFIG_HOME", folders.root.getFullPathName().toRawUTF8(), 1);

    EXPECT_EQ (UserSettingsFile::getPerUserFile ("Quilvern"), folders.root.getChildFile ("Quilvern/Quilvern.ini"));

    if (previous != nullptr)
        setenv ("XDG_CONFIG_HOME", saved.toRawUTF8(), 1);
    else
        unsetenv ("XDG_CONFIG_HOME");
}

// Writers replace the file by a rename, so a reader sees one whole document
// or another, never a mixture or a part.
TEST (UserSettingsFile, ConcurrentWritersNeverLeaveAPartialFile)
{
    SettingsFolders folders;
    const auto target = folders.root.getChildFile ("Quilvern.ini");
    std::atomic<bool> writing { true };
    std::atomic<int> partial { 0 }, reads { 0 };

    auto document = [] (int writer) {
        juce::XmlElement root ("UserSettings");
        for (int i = 0; i < 2000; ++i)
            root.createNewChildElement ("entry")->setAttribute ("writer", writer);
        return root;
    };

    std::thread reader ([&] {
        while (writing)
        {
            if (! target.existsAsFile())
                continue;

            ++reads;
            auto xml = XmlUtilities::readFile (target);
            if (xml == nullptr || xml->getNumChildElements() != 2000)
                ++partial;
        }
    });

    std::vector<std::thread> writers;

    for (int w = 0; w < 3; ++w)
        writers.emplace_back ([&, w] {
            const auto xml = document (w);
            for (int i = 0; i < 30; ++i)
                EXPECT_TRUE (XmlUtilities::writeFile (xml, target));
        });

    for (auto& w : writers)
        w.join();

    writing = false;
    reader.join();
    EXPECT_GT (reads.load(), 0);
    EXPECT_EQ (partial.load(), 0);
    EXPECT_EQ (folders.root.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 1)
        << "no temporary files are left";
    EXPECT_EQ (folders.root.getNumberOfChildFiles (juce::File::findFiles, ".*"), 0);
}

// A write that fails part-way (here the file size limit, as a full disk
// would) leaves the existing file whole and no temporary file behind.
TEST (UserSettingsFile, AFailedWriteKeepsTheExistingFile)
{
    SettingsFolders folders;
    const auto target = folders.root.getChildFile ("Quilvern.ini");
    juce::XmlElement old ("UserSettings");
    old.setAttribute ("choice", "old");
    ASSERT_TRUE (XmlUtilities::writeFile (old, target));
    const auto before = target.loadFileAsString();

    juce::XmlElement large ("UserSettings");
    large.setAttribute ("choice", juce::String::repeatedString ("x", 1 << 20));

    rlimit saved {};
    getrlimit (RLIMIT_FSIZE, &saved);
    auto* previousHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    setrlimit (RLIMIT_FSIZE, &small);

    const bool written = XmlUtilities::writeFile (large, target);

    setrlimit (RLIMIT_FSIZE, &saved);
    std::signal (SIGXFSZ, previousHandler);

    EXPECT_FALSE (written);
    EXPECT_EQ (target.loadFileAsString(), before);
    EXPECT_EQ (folders.root.getNumberOfChildFiles (juce::File::findFiles, "*"), 1);

    const auto folderTarget = folders.root.getChildFile ("folder.ini");
    ASSERT_TRUE (folderTarget.getChildFile ("inside").createDirectory());
    EXPECT_FALSE (XmlUtilities::writeFile (old, folderTarget)) << "a folder in the way is not replaced";
    EXPECT_TRUE (folderTarget.getChildFile ("inside").isDirectory());
}

// On Linux the rename replaces a read-only file (only the folder's
// permissions count), and a folder that cannot be written keeps no
// temporary file and says why.
TEST (UserSettingsFile, AReadOnlyFileIsReplacedAndAReadOnlyFolderGetsNothing)
{
    SettingsFolders folders;
    const auto target = folders.root.getChildFile ("Quilvern.ini");
    const auto folderName = folders.root.getFullPathName();
    const auto* folderPath = folderName.toRawUTF8();
    ASSERT_TRUE (target.replaceWithText ("<UserSettings choice=\"old\"/>"));
    ASSERT_EQ (chmod (target.getFullPathName().toRawUTF8(), 0444), 0);
    ASSERT_EQ (chmod (folderPath, 0777), 0);

    juce::XmlElement settings ("UserSettings");
    settings.setAttribute ("choice", "new");
    auto writeUnprivileged = [&] {
        const Unprivileged unprivileged;
        EXPECT_TRUE (unprivileged.isEffective());
        return UserSettingsFile::write (settings, target);
    };

    const auto replaced = writeUnprivileged();
    ASSERT_EQ (chmod (folderPath, 0555), 0);
    settings.setAttribute ("choice", "newer");
    const auto refused = writeUnprivileged();

    chmod (folderPath, 0755);
    EXPECT_TRUE (replaced.wasOk()) << replaced.getErrorMessage();
    EXPECT_EQ (refused.getErrorMessage(), "Permission denied.");
    EXPECT_EQ (XmlUtilities::readFile (target)->getStringAttribute ("choice"), "new");
    EXPECT_EQ (folders.root.getNumberOfChildFiles (juce::File::findFiles, "*"), 1) << "no temporary file";
}
