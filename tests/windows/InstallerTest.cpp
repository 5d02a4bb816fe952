// The Windows installer, run silently as an administrator would run it: the
// files where hosts look, the entries of Apps & features, the host tests
// against the installed plug-ins, upgrades, and the uninstaller, which must
// leave the user's own files (settings, presets, banks, maps) alone. Every
// test starts and ends with nothing of the product's installed.
#include <gmock/gmock.h>

#ifndef NOMINMAX
 #define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace
{
const wchar_t* const uninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quilvern";
const wchar_t* const companyKey = L"Software\\Brannock Group Audio Software";
const wchar_t* const productKey = L"Software\\Brannock Group Audio Software\\Quilvern";

fs::path environmentFolder (const wchar_t* name)
{
    const auto* value = _wgetenv (name);
    return value != nullptr ? fs::path (value) : fs::path();
}

// Where a 64-bit installer puts things.
struct Places
{
    fs::path programFiles = environmentFolder (L"ProgramFiles");
    fs::path appData = environmentFolder (L"APPDATA");
    fs::path vst3Bundle = environmentFolder (L"CommonProgramFiles") / "VST3" / "Quilvern.vst3";
    fs::path vst3Folder = vst3Bundle / "Contents" / "x86_64-win";
    fs::path defaultVst2Folder = programFiles / "VSTPlugins";
    fs::path otherVst2Folder = programFiles / "Steinberg" / "VST Plugins";
    fs::path companyFolder = programFiles / "Brannock Group Audio Software";
    fs::path uninstaller = companyFolder / "Quilvern" / "Uninstall.exe";
    fs::path userSettingsFolder = appData / "Quilvern";
};

const Places& places()
{
    static const Places p;
    return p;
}

std::string readFile (const fs::path& file)
{
    std::ifstream stream (file, std::ios::binary);
    return { std::istreambuf_iterator<char> (stream), std::istreambuf_iterator<char>() };
}

void writeFile (const fs::path& file, const std::string& content)
{
    fs::create_directories (file.parent_path());
    std::ofstream (file, std::ios::binary) << content;
}

// Every file under a folder, relative to it.
std::set<fs::path> filesUnder (const fs::path& folder)
{
    std::set<fs::path> files;
    std::error_code error;

    for (auto i = fs::recursive_directory_iterator (folder, error); ! error && i != fs::recursive_directory_iterator(); i.increment (error))
        if (i->is_regular_file())
            files.insert (fs::relative (i->path(), folder));

    return files;
}

std::wstring quoted (const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

// Runs a command line with extra environment variables and waits for the
// process and every process it starts (the uninstaller runs on from a copy
// of itself). Returns its exit code, or -1 when it did not run or end.
long run (std::wstring commandLine, const std::vector<std::pair<std::wstring, std::wstring>>& environment = {})
{
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW (name.c_str(), value.c_str());

    auto* job = CreateJobObjectW (nullptr, nullptr);
    STARTUPINFOW startup {};
    startup.cb = sizeof (startup);
    PROCESS_INFORMATION process {};
    const bool started = CreateProcessW (nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                         nullptr, &startup, &process);

    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW (name.c_str(), nullptr);

    if (! started)
    {
        CloseHandle (job);
        return -1;
    }

    AssignProcessToJobObject (job, process.hProcess);
    ResumeThread (process.hThread);
    DWORD exitCode = (DWORD) -1;

    if (WaitForSingleObject (process.hProcess, 600 * 1000) == WAIT_OBJECT_0)
        GetExitCodeProcess (process.hProcess, &exitCode);

    for (int waited = 0; waited < 60 * 1000; waited += 50)
    {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION information {};

        if (! QueryInformationJobObject (job, JobObjectBasicAccountingInformation, &information, sizeof (information), nullptr)
            || information.ActiveProcesses == 0)
            break;

        Sleep (50);
    }

    CloseHandle (process.hThread);
    CloseHandle (process.hProcess);
    CloseHandle (job);
    return (long) exitCode;
}

long install (const char* installer, const fs::path& vst2Folder = {})
{
    auto commandLine = quoted (fs::u8path (installer)) + L" /S";

    // NSIS takes /D last and without quotes, spaces and all.
    if (! vst2Folder.empty())
        commandLine += L" /D=" + vst2Folder.wstring();

    return run (commandLine);
}

std::wstring registryString (const wchar_t* key, const wchar_t* name)
{
    wchar_t value[1024] {};
    DWORD size = sizeof (value);

    if (RegGetValueW (HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, value, &size) != ERROR_SUCCESS)
        return L"(none)";

    return value;
}

DWORD registryNumber (const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0, size = sizeof (value);

    if (RegGetValueW (HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6464KEY, nullptr, &value, &size) != ERROR_SUCCESS)
        return (DWORD) -1;

    return value;
}

bool registryKeyExists (const wchar_t* key)
{
    HKEY handle = nullptr;

    if (RegOpenKeyExW (HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &handle) != ERROR_SUCCESS)
        return false;

    RegCloseKey (handle);
    return true;
}

long uninstall()
{
    // The command Apps & features runs for a silent removal.
    return run (registryString (uninstallKey, L"QuietUninstallString"));
}

bool sameFolder (const fs::path& a, const fs::path& b)
{
    return _wcsicmp (a.wstring().c_str(), b.wstring().c_str()) == 0;
}

// What any install or test may have left, the user's files included.
void removeEverything()
{
    HKEY root = nullptr;

    if (RegOpenKeyExW (HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &root) == ERROR_SUCCESS)
    {
        RegDeleteTreeW (root, L"Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quilvern");
        RegDeleteTreeW (root, L"Brannock Group Audio Software");
        RegCloseKey (root);
    }

    std::error_code ignored;
    fs::remove_all (places().vst3Bundle, ignored);
    fs::remove_all (places().companyFolder, ignored);
    fs::remove_all (places().userSettingsFolder, ignored);

    for (const auto& folder : { places().defaultVst2Folder, places().otherVst2Folder })
        for (const auto* name : { "Quilvern.dll", "Quilvern.ini", "My preset.qvprs", "My map.qvccmap" })
            fs::remove (folder / name, ignored);

    // The plug-in folders, which the uninstaller leaves to other plug-ins,
    // when nothing else is in them (fs::remove leaves a folder that is not
    // empty).
    for (const auto& folder : { places().otherVst2Folder, places().otherVst2Folder.parent_path(), places().defaultVst2Folder,
                                places().vst3Bundle.parent_path() })
        fs::remove (folder, ignored);
}

class Installer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE (places().programFiles.empty());
        ASSERT_FALSE (places().appData.empty());
        removeEverything();
    }

    void TearDown() override { removeEverything(); }

    void expectInstalledFiles (const fs::path& vst2Folder) const
    {
        EXPECT_EQ (readFile (places().vst3Folder / "Quilvern.vst3"), builtVst3) << "the VST3 module";
        EXPECT_EQ (readFile (vst2Folder / "Quilvern.dll"), builtVst2) << "the VST 2.4 library";
        EXPECT_TRUE (fs::is_regular_file (places().uninstaller));
    }

    static void expectRegistered (const char* version, const fs::path& vst2Folder)
    {
        EXPECT_EQ (registryString (uninstallKey, L"DisplayName"), L"Quilvern");
        EXPECT_EQ (registryString (uninstallKey, L"DisplayVersion"), fs::u8path (version).wstring());
        EXPECT_EQ (registryString (uninstallKey, L"Publisher"), L"Brannock Group Audio Software");
        EXPECT_EQ (registryString (uninstallKey, L"UninstallString"), quoted (places().uninstaller));
        EXPECT_EQ (registryString (uninstallKey, L"QuietUninstallString"), quoted (places().uninstaller) + L" /S");
        EXPECT_TRUE (sameFolder (registryString (productKey, L"VST2Folder"), vst2Folder));
    }

    const std::string builtVst2 = readFile (fs::u8path (QUILVERN_VST2_PATH));
    const std::string builtVst3 = readFile (fs::u8path (QUILVERN_VST3_MODULE));
};
} // namespace

TEST_F (Installer, InstallsEachFormatWhereHostsLookAndUninstallsAllButTheUsersFiles)
{
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ (install (QUILVERN_INSTALLER), 0);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::printf ("The silent install took %.1f s\n", took.count());

    expectInstalledFiles (places().defaultVst2Folder);
    expectRegistered (QUILVERN_VERSION, places().defaultVst2Folder);

    // What Apps & features shows as the size, in KB.
    const auto installedBytes = fs::file_size (places().vst3Folder / "Quilvern.vst3")
                              + fs::file_size (places().defaultVst2Folder / "Quilvern.dll") + fs::file_size (places().uninstaller);
    EXPECT_NEAR ((double) registryNumber (uninstallKey, L"EstimatedSize"), installedBytes / 1024.0, 4.0);

    // The host tests, as hosts find the installed plug-ins. Their instances
    // write a settings file beside each library, as a user's would.
    ASSERT_EQ (run (quoted (fs::u8path (QUILVERN_HOST_TESTS)),
                    { { L"QUILVERN_INSTALLED_VST2", (places().defaultVst2Folder / "Quilvern.dll").wstring() },
                      { L"QUILVERN_INSTALLED_VST3", places().vst3Bundle.wstring() } }),
               0)
        << "the host tests failed against the installed plug-ins";
    EXPECT_TRUE (fs::exists (places().defaultVst2Folder / "Quilvern.ini"));
    EXPECT_TRUE (fs::exists (places().vst3Folder / "Quilvern.ini"));

    // More of the user's files: settings where a user without write access
    // to the library's folder keeps them, a bank, a preset and a map.
    writeFile (places().userSettingsFolder / "Quilvern.ini", "<UserSettings application=\"Quilvern\"/>\n");
    writeFile (places().userSettingsFolder / "My bank.qvprsb", "a bank\n");
    writeFile (places().defaultVst2Folder / "My preset.qvprs", "a preset\n");
    writeFile (places().defaultVst2Folder / "My map.qvccmap", "a map\n");

    ASSERT_EQ (uninstall(), 0);

    EXPECT_FALSE (fs::exists (places().defaultVst2Folder / "Quilvern.dll"));
    EXPECT_FALSE (fs::exists (places().companyFolder)) << "the uninstaller and its folders";
    EXPECT_FALSE (registryKeyExists (uninstallKey));
    EXPECT_FALSE (registryKeyExists (companyKey));

    using Files = std::set<fs::path>;
    EXPECT_EQ (filesUnder (places().vst3Bundle), (Files { fs::path ("Contents") / "x86_64-win" / "Quilvern.ini" }));
    EXPECT_EQ (filesUnder (places().userSettingsFolder), (Files { "Quilvern.ini", "My bank.qvprsb" }));

    for (const auto* name : { "Quilvern.ini", "My preset.qvprs", "My map.qvccmap" })
        EXPECT_TRUE (fs::exists (places().defaultVst2Folder / name)) << name;
}

TEST_F (Installer, UpgradeReplacesAnOlderVersionInItsFolderAndKeepsTheSettings)
{
    ASSERT_EQ (install (QUILVERN_OLDER_INSTALLER, places().otherVst2Folder), 0);
    ASSERT_EQ (readFile (places().otherVst2Folder / "Quilvern.dll"), readFile (fs::u8path (QUILVERN_OLDER_FILES) / "Quilvern.dll"));
    EXPECT_EQ (registryString (uninstallKey, L"DisplayVersion"), L"1.3.0");

    const std::string settings = "<UserSettings application=\"Quilvern\"><PluginDirectories/></UserSettings>\n";
    writeFile (places().otherVst2Folder / "Quilvern.ini", settings);
    writeFile (places().vst3Folder / "Quilvern.ini", settings);

    // No folder given: the one the older version was installed into.
    ASSERT_EQ (install (QUILVERN_INSTALLER), 0);
    expectInstalledFiles (places().otherVst2Folder);
    expectRegistered (QUILVERN_VERSION, places().otherVst2Folder);
    EXPECT_FALSE (fs::exists (places().defaultVst2Folder / "Quilvern.dll"));
    EXPECT_EQ (readFile (places().otherVst2Folder / "Quilvern.ini"), settings);
    EXPECT_EQ (readFile (places().vst3Folder / "Quilvern.ini"), settings);

    ASSERT_EQ (uninstall(), 0);
    EXPECT_FALSE (fs::exists (places().otherVst2Folder / "Quilvern.dll"));
    EXPECT_FALSE (fs::exists (places().vst3Folder / "Quilvern.vst3"));
    EXPECT_EQ (readFile (places().otherVst2Folder / "Quilvern.ini"), settings);
    EXPECT_EQ (readFile (places().vst3Folder / "Quilvern.ini"), settings);
}

// A host must not find the library twice.
TEST_F (Installer, AnotherVst2FolderTakesTheLibraryAwayFromTheFormerOne)
{
    ASSERT_EQ (install (QUILVERN_INSTALLER, places().otherVst2Folder), 0);
    writeFile (places().otherVst2Folder / "Quilvern.ini", "settings\n");

    ASSERT_EQ (install (QUILVERN_INSTALLER, places().defaultVst2Folder), 0);
    EXPECT_FALSE (fs::exists (places().otherVst2Folder / "Quilvern.dll"));
    EXPECT_EQ (readFile (places().otherVst2Folder / "Quilvern.ini"), "settings\n");
    expectInstalledFiles (places().defaultVst2Folder);
    expectRegistered (QUILVERN_VERSION, places().defaultVst2Folder);

    ASSERT_EQ (uninstall(), 0);
    EXPECT_FALSE (fs::exists (places().defaultVst2Folder / "Quilvern.dll"));
}
