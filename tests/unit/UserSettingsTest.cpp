// The contents of the user settings file: what is read, with which case
// rules, and what is written back. Instances keep the file in a temporary
// folder, never beside the test program.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"

namespace
{
constexpr int feedback = 1;

class UserSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.getChildFile ("banks").createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    // An instance that read the settings file holding these children.
    std::unique_ptr<Quilvern> startWith (const juce::String& children, const juce::String& application = "Quilvern")
    {
        EXPECT_TRUE (settingsFile.replaceWithText ("<UserSettings application=\"" + application + "\">" + children
                                                   + "</UserSettings>"));
        return createQuilvern (settingsFile);
    }

    std::unique_ptr<juce::XmlElement> closeAndReadFile (std::unique_ptr<Quilvern> plugin)
    {
        settingsFile.deleteFile();
        plugin.reset();
        return juce::parseXML (settingsFile);
    }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getChildFile ("quilvern-settings-test-" + juce::Uuid().toString());
    const juce::File settingsFile = folder.getChildFile ("Quilvern.ini");
    const juce::String home = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();
};

struct Settings
{
    int storing = BasePluginOldStyle::storeOnDemand;
    int changing = BasePluginOldStyle::changeNormally;
    int defaultPresets = BasePluginOldStyle::factoryPresets;
    juce::String presetsFile;
    bool useMap = false;
    juce::String mapFile;

    static Settings of (const Quilvern& plugin)
    {
        auto& midi = const_cast<Quilvern&> (plugin).getMidiControl();
        return { plugin.getStoringMode(), plugin.getChangingType(), plugin.getDefaultPresetsMode(),
                 plugin.getUserDefinedPresetsFile(), midi.getUseMapFileAtStart(), midi.getMapFile() };
    }

    bool operator== (const Settings& o) const
    {
        return storing == o.storing && changing == o.changing && defaultPresets == o.defaultPresets
            && presetsFile == o.presetsFile && useMap == o.useMap && mapFile == o.mapFile;
    }
};

std::ostream& operator<< (std::ostream& os, const Settings& s)
{
    return os << s.storing << " " << s.changing << " " << s.defaultPresets << " '" << s.presetsFile << "' "
              << s.useMap << " '" << s.mapFile << "'";
}
} // namespace

TEST_F (UserSettingsTest, KeywordsAndTheirCaseRules)
{
    const Settings defaults;
    auto with = [] (auto change) { Settings s; change (s); return s; };
    const juce::String userMap = "<MidiCCMap default=\"userDefinedMidiCCMap\" file=\"/maps/a.qvccmap\"/>";

    struct Case { const char* what; juce::String children; Settings expected; juce::String application = "Quilvern"; };
    const Case cases[] = {
        { "storing without case", "<PresetSettings storing=\"AUTOMATIC\" changing=\"Silent\"/>",
          with ([] (Settings& s) { s.storing = 0; s.changing = 1; }) },
        { "unknown storing and changing", "<PresetSettings storing=\"always\" changing=\"quiet\"/>", defaults },
        { "element and attribute names without case", "<presetsettings STORING=\"automatic\"/>",
          with ([] (Settings& s) { s.storing = 0; }) },
        { "clear presets without case", "<ResourcesSettings><Presets default=\"CLEARPRESETS\" file=\"/x\"/></ResourcesSettings>",
          with ([] (Settings& s) { s.defaultPresets = 1; }) },
        { "user presets without a file", "<ResourcesSettings><Presets default=\"userDefinedPresets\"/></ResourcesSettings>",
          with ([] (Settings& s) { s.defaultPresets = 2; }) },
        { "unknown presets keyword", "<ResourcesSettings><Presets default=\"userPresets\" file=\"/x\"/></ResourcesSettings>",
          defaults },
        { "user map", "<ResourcesSettings>" + userMap + "</ResourcesSettings>",
          with ([] (Settings& s) { s.useMap = true; s.mapFile = "/maps/a.qvccmap"; }) },
        { "map keywords keep their case",
          "<ResourcesSettings>" + userMap + "<MidiCCMap default=\"NoMapping\"/></ResourcesSettings>",
          with ([] (Settings& s) { s.useMap = true; s.mapFile = "/maps/a.qvccmap"; }) },
        { "no mapping", "<ResourcesSettings>" + userMap + "<MidiCCMap default=\"noMapping\"/></ResourcesSettings>",
          with ([] (Settings& s) { s.mapFile = "/maps/a.qvccmap"; }) },
        { "application without case", "<PresetSettings changing=\"silent\"/>",
          with ([] (Settings& s) { s.changing = 1; }), "quilvern" },
        { "another plug-in's file", "<PresetSettings storing=\"automatic\"/>", defaults, "Other" },
    };

    for (const auto& c : cases)
    {
        auto plugin = startWith (c.children, c.application);
        EXPECT_EQ (Settings::of (*plugin), c.expected) << c.what;
    }
}

TEST_F (UserSettingsTest, AutomaticStoringFromTheFileStoresTheCurrentPreset)
{
    auto plugin = startWith ("<PresetSettings storing=\"automatic\"/>");
    plugin->getParameterManager().setNormalizedValue (feedback, 0.3f);
    EXPECT_EQ (plugin->getPreset (0)->getValue (feedback), 0.3f);
}

TEST_F (UserSettingsTest, RecentFolderMustExist)
{
    const auto banks = folder.getChildFile ("banks").getFullPathName();
    const auto missing = folder.getChildFile ("gone").getFullPathName();

    struct Case { juce::String dir; juce::String expected; };
    const Case cases[] = { { banks, banks }, { missing, home }, { "relative/path", home }, { "", home } };

    for (const auto& c : cases)
    {
        auto plugin = startWith ("<PluginDirectories><RecentlyUsed dir=\"" + c.dir + "\"/></PluginDirectories>");
        EXPECT_EQ (plugin->getRecentDirectory(), c.expected) << c.dir;
    }
}

TEST_F (UserSettingsTest, WrittenWhenClosedInTheirOrder)
{
    auto plugin = startWith ("<ResourcesSettings><Presets default=\"userDefinedPresets\"/></ResourcesSettings>"
                             "<PresetSettings changing=\"silent\"/>");

    const auto written = closeAndReadFile (std::move (plugin));
    ASSERT_NE (written, nullptr);
    EXPECT_EQ (written->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<UserSettings application=\"Quilvern\"><PluginDirectories><RecentlyUsed dir=\"" + home + "\"/>"
               "</PluginDirectories><ResourcesSettings><Presets default=\"userDefinedPresets\" file=\"\"/>"
               "<MidiCCMap default=\"noMapping\"/></ResourcesSettings>"
               "<PresetSettings storing=\"onDemand\" changing=\"silent\"/>"
               "<DisplaySettings zoom=\"100\"/></UserSettings>");
}

TEST_F (UserSettingsTest, UserBankAndMapAreUsedAtStartAndTheLastBankFolderIsKept)
{
    const auto banks = folder.getChildFile ("banks");
    const auto userBank = banks.getChildFile ("user.qvprsb");
    ASSERT_TRUE (userBank.replaceWithText ("<PresetBank name=\"User\"><PresetGroup name=\"Mine\">"
                                           "<Preset application=\"Quilvern\" name=\"First\" rev=\"1\">"
                                           "<param name=\"Feedback\" value=\"0.625\"/></Preset></PresetGroup></PresetBank>"));
    const auto mapFile = folder.getChildFile ("start.qvccmap");
    ASSERT_TRUE (mapFile.replaceWithText ("<MidiControlMap name=\"Quilvern\"><assign CC=\"7\" param=\"FX\"/></MidiControlMap>"));

    auto plugin = startWith ("<ResourcesSettings><Presets default=\"userDefinedPresets\" file=\""
                             + userBank.getFullPathName() + "\"/><MidiCCMap default=\"userDefinedMidiCCMap\" file=\""
                             + mapFile.getFullPathName() + "\"/></ResourcesSettings>");
    EXPECT_EQ (plugin->getBankName(), "User");
    EXPECT_EQ (plugin->getParameter (feedback), 0.625f);
    EXPECT_EQ (plugin->getMidiControl().getAssignment (7), plugin->getParameterManager().findParameterByName ("FX"));

    const auto other = folder.getChildFile ("other");
    ASSERT_TRUE (other.createDirectory());
    plugin->saveBankFile (other.getChildFile ("saved.qvprsb"));
    plugin->loadBankFile (userBank);

    const auto written = closeAndReadFile (std::move (plugin));
    ASSERT_NE (written, nullptr);
    EXPECT_EQ (written->getChildByName ("PluginDirectories")->getChildByName ("RecentlyUsed")->getStringAttribute ("dir"),
               banks.getFullPathName());
    const auto* resources = written->getChildByName ("ResourcesSettings");
    EXPECT_EQ (resources->getChildByName ("Presets")->getStringAttribute ("file"), userBank.getFullPathName());
    EXPECT_EQ (resources->getChildByName ("MidiCCMap")->getStringAttribute ("file"), mapFile.getFullPathName());
}

// The zoom chosen in one instance is the one the next instance opens with.
TEST_F (UserSettingsTest, TheZoomIsRememberedForTheNextInstance)
{
    auto plugin = startWith ("");
    EXPECT_EQ (plugin->getEditorZoom().getPercent(), 100);
    plugin->getEditorZoom().setPercent (175);
    plugin.reset();

    plugin = createQuilvern (settingsFile);
    EXPECT_EQ (plugin->getEditorZoom().getPercent(), 175);
}

// The zoom is a new element after the others: at 100 % the file less that
// element's line is the very file earlier versions wrote, and a reader that
// knows only the earlier elements (as earlier versions do, which skip what
// they do not know) reads the file as before, wherever the element stands.
TEST_F (UserSettingsTest, TheZoomElementLeavesTheEarlierLayoutAsItWas)
{
    auto plugin = startWith ("<PresetSettings changing=\"silent\"/>");
    settingsFile.deleteFile();
    plugin.reset();
    const auto written = settingsFile.loadFileAsString();

    const juce::String earlierLayout =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
        "<UserSettings application=\"Quilvern\">\r\n"
        "  <PluginDirectories>\r\n"
        "    <RecentlyUsed dir=\"" + home + "\"/>\r\n"
        "  </PluginDirectories>\r\n"
        "  <ResourcesSettings>\r\n"
        "    <Presets default=\"factoryPresets\"/>\r\n"
        "    <MidiCCMap default=\"noMapping\"/>\r\n"
        "  </ResourcesSettings>\r\n"
        "  <PresetSettings storing=\"onDemand\" changing=\"silent\"/>\r\n"
        "</UserSettings>\r\n";
    EXPECT_EQ (written.replace ("  <DisplaySettings zoom=\"100\"/>\r\n", ""), earlierLayout);
    EXPECT_NE (written, earlierLayout);

    // The earlier reader: the same file with the new element under a tag no
    // version knows, and the element moved before the others.
    const juce::String earlier = "<PresetSettings storing=\"automatic\" changing=\"silent\"/>"
                                 "<ResourcesSettings><Presets default=\"clearPresets\"/></ResourcesSettings>";
    const auto expected = Settings::of (*startWith (earlier));

    for (const juce::String& withZoom : { earlier + "<DisplaySettings zoom=\"150\"/>",
                                          "<DisplaySettings zoom=\"150\"/>" + earlier,
                                          earlier + "<LaterSettings zoom=\"150\"/>" })
    {
        auto reader = startWith (withZoom);
        EXPECT_EQ (Settings::of (*reader), expected) << withZoom;
        EXPECT_EQ (reader->getEditorZoom().getPercent(), withZoom.contains ("Display") ? 150 : 100) << withZoom;
    }
}
