#include <gmock/gmock.h>

#include "presets/BasePluginOldStyle.h"
#include "support/WithoutAudio.h"

namespace
{
constexpr int feedback = 1;
constexpr int fx = 10;

// The preset layer with the product's name, code and parameters, and
// nothing of the effect.
class OldStylePlugin : public WithoutAudio<BasePluginOldStyle>
{
public:
    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }
    int getNumHostParameters() const override { return 16; }

    int getNumOldPresetFormats() const override { return olderFormats ? 1 : 0; }
    juce::String getOldPresetExtension (int i) const override { return olderFormats && i == 0 ? ".qvp" : ""; }

    bool olderFormats = false;
};

struct CountingChanger : BasePluginOldStyle::PresetChanger
{
    void requestPresetChange() override { ++requests; }
    int requests = 0;
};

struct CountingPresetListener : BasePluginOldStyle::PresetManagerListener
{
    void presetChanged() override { ++changes; }
    int changes = 0;
};

struct CountingParameterListener : Parameter::Listener
{
    void parameterChanged (Parameter*) override { ++changes; }
    int changes = 0;
};

class BasePluginOldStyleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (folder.createDirectory());
        plugin.initialise();
    }

    void TearDown() override { folder.deleteRecursively(); }

    Parameter& parameter (int index) { return *plugin.getParameterManager().getParameter (index); }
    float live (int index) { return parameter (index).getNormalizedValue(); }
    float stored (int preset, int index) { return plugin.getPreset (preset)->getValue (index); }

    juce::String bankText() { return plugin.createBankXml()->toString(); }

    std::vector<std::pair<juce::String, int>> groups()
    {
        std::vector<std::pair<juce::String, int>> result;

        for (int g = 0; g < plugin.getNumGroups(); ++g)
            result.emplace_back (plugin.getGroupName (g), plugin.getGroupSize (g));

        return result;
    }

    juce::File write (const juce::String& name, const juce::String& text)
    {
        auto file = folder.getChildFile (name);
        EXPECT_TRUE (file.replaceWithText (text));
        return file;
    }

    static juce::String presetXml (const juce::String& name, const juce::String& application = "Quilvern")
    {
        return "<Preset application=\"" + application + "\" name=\"" + name
               + "\"><param name=\"Feedback\" value=\"0.25\"/></Preset>";
    }

    OldStylePlugin plugin;
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-presets-test-" + juce::Uuid().toString());
};
} // namespace

TEST_F (BasePluginOldStyleTest, StartsWithTheFactoryBankAndPresetZeroApplied)
{
    using Group = std::pair<juce::String, int>;
    EXPECT_EQ (plugin.getBankName(), "Quilvern Factory Presets");
    EXPECT_THAT (groups(), ::testing::ElementsAre (Group ("Free run", 37), Group ("Synchronized", 14), Group ("Not used", 77)));
    EXPECT_EQ (plugin.getPresetName (51), "Preset 51");

    juce::StringArray names;

    for (int i = 0; i < 51; ++i)
        names.addIfNotAlreadyThere (plugin.getPresetName (i));

    EXPECT_EQ (names.size(), 51);

    for (int id = 0; id < 16; ++id)
        EXPECT_NEAR (live (id), stored (0, id), 1e-6) << id;

    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNumberIndex).getIntValue(), 0);
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNameIndex).getText(), plugin.getPresetName (0));
    // The default preset resource replaced the description's defaults.
    EXPECT_EQ (plugin.getDefaultsPreset().getValue (fx), 1.0f);
    EXPECT_EQ (plugin.getDefaultsPreset().name, "empty");
    EXPECT_EQ (plugin.getRecentDirectory(), juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());
    EXPECT_EQ (plugin.getParameterName (15), "LFO 2 Sync");
}

TEST_F (BasePluginOldStyleTest, NextAndPreviousStopAtTheEndsAndCrossGroups)
{
    struct Case { int from; int event; int expected; };
    const Case cases[] = {
        { 127, 1002, 127 }, { 0, 1003, 0 },
        { 36, 1002, 37 },   // last of "Free run" to first of "Synchronized"
        { 37, 1003, 36 },   { 5, 1002, 6 },
    };

    for (const auto& c : cases)
    {
        plugin.changeToPreset (c.from);
        plugin.handleEvent (c.event);
        EXPECT_EQ (plugin.getCurrentPreset(), c.expected) << c.from << " " << c.event;
        EXPECT_FLOAT_EQ (live (feedback), stored (c.expected, feedback));
    }
}

TEST_F (BasePluginOldStyleTest, AutomaticStoringWritesEveryChangeOnDemandOnlyOnStore)
{
    const float original = stored (0, feedback);

    plugin.setStoringMode (BasePluginOldStyle::storeOnDemand);
    parameter (feedback).setNormalizedValue (0.9f, true);
    EXPECT_EQ (stored (0, feedback), original);
    plugin.handleEvent (1009);
    EXPECT_FLOAT_EQ (stored (0, feedback), 0.9f);

    plugin.setStoringMode (BasePluginOldStyle::storeAutomatically);
    parameter (feedback).setNormalizedValue (0.2f, true);
    EXPECT_FLOAT_EQ (stored (0, feedback), 0.2f);

    plugin.changeToPreset (1);
    plugin.changeToPreset (0);
    EXPECT_FLOAT_EQ (live (feedback), 0.2f);
}

TEST_F (BasePluginOldStyleTest, CopyTakesLiveValuesAndPasteStoresThemUnderTheCopyName)
{
    plugin.handleEvent (1008); // nothing copied yet
    EXPECT_EQ (plugin.getPresetName (0), "Classic Swirl");

    parameter (feedback).setNormalizedValue (0.77f, true); // not stored
    plugin.handleEvent (1007);
    plugin.changeToPreset (5);
    plugin.handleEvent (1008);

    EXPECT_EQ (plugin.getPresetName (5), "Classic Swirl_copy");
    EXPECT_FLOAT_EQ (stored (5, feedback), 0.77f);
    EXPECT_FLOAT_EQ (live (feedback), 0.77f);
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNameIndex).getText(), "Classic Swirl_copy");
    EXPECT_NE (stored (0, feedback), 0.77f);

    // The clipboard survives a bank change and pastes again.
    plugin.clearPresets();
    plugin.changeToPreset (9);
    plugin.handleEvent (1008);
    EXPECT_EQ (plugin.getPresetName (9), "Classic Swirl_copy");
}

TEST_F (BasePluginOldStyleTest, ClearingGivesNumberedDefaultPresetsInOneGroup)
{
    plugin.clearPresets();

    EXPECT_THAT (groups(), ::testing::ElementsAre (std::pair<juce::String, int> ("Not used", 128)));
    EXPECT_EQ (plugin.getPresetName (0), "Preset 0");
    EXPECT_EQ (plugin.getPresetName (127), "Preset 127");
    EXPECT_EQ (plugin.getPreset (64)->values, plugin.getDefaultsPreset().values);
    EXPECT_EQ (plugin.getBankName(), "Quilvern Factory Presets");
}

TEST_F (BasePluginOldStyleTest, RenamingThroughTheNameParameterRenamesOnlyTheCurrentPreset)
{
    plugin.changeToPreset (3);
    const auto other = plugin.getPresetName (4);
    parameter (BasePluginOldStyle::currentPresetNameIndex).setText ("Renamed", true);

    EXPECT_EQ (plugin.getPresetName (3), "Renamed");
    EXPECT_EQ (plugin.getPresetName (4), other);

    plugin.renamePreset (3, "Again");
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNameIndex).getText(), "Again");
}

TEST_F (BasePluginOldStyleTest, MovesKeepTheCurrentPresetWithoutNotification)
{
    CountingParameterListener numberListener;
    parameter (BasePluginOldStyle::currentPresetNumberIndex).addListener (&numberListener);
    plugin.changeToPreset (2);
    const auto name = plugin.getPresetName (2);
    numberListener.changes = 0;

    plugin.movePreset (2, 40, 0, 1);
    EXPECT_EQ (plugin.getCurrentPreset(), 40);
    EXPECT_EQ (plugin.getPresetName (40), name);
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNumberIndex).getIntValue(), 40);
    EXPECT_EQ (plugin.getGroupSize (0), 36);
    EXPECT_EQ (plugin.getGroupSize (1), 15);

    plugin.moveGroup (1, 0); // "Synchronized" (15) first
    EXPECT_EQ (plugin.getPresetName (plugin.getCurrentPreset()), name);
    EXPECT_EQ (plugin.getCurrentPreset(), 40 - 36);

    juce::SparseSet<int> firstFifteen;
    firstFifteen.addRange ({ 0, 15 });
    plugin.movePresetsToGroup (2, 0, firstFifteen);
    EXPECT_EQ (plugin.getPresetName (plugin.getCurrentPreset()), name);
    EXPECT_EQ (plugin.getGroupSize (2), 77 + 15);

    plugin.movePreset (5, 5, 0, 1); // no move
    EXPECT_EQ (numberListener.changes, 0);
    parameter (BasePluginOldStyle::currentPresetNumberIndex).removeListener (&numberListener);
}

TEST_F (BasePluginOldStyleTest, SilentChangesGoThroughTheChangerNormalOnesApplyAtOnce)
{
    CountingChanger changer;
    CountingPresetListener listener;
    plugin.setPresetChanger (&changer);
    plugin.addPresetListener (&listener);
    plugin.addPresetListener (&listener);

    plugin.changeToPreset (3);
    EXPECT_EQ (changer.requests, 0);
    EXPECT_EQ (listener.changes, 1);
    EXPECT_FLOAT_EQ (live (feedback), stored (3, feedback));

    plugin.setChangingType (BasePluginOldStyle::changeSilently);
    plugin.changeToPreset (4);
    EXPECT_EQ (changer.requests, 1);
    EXPECT_EQ (plugin.getCurrentPreset(), 4);
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNumberIndex).getIntValue(), 3);
    EXPECT_FLOAT_EQ (live (feedback), stored (3, feedback));

    plugin.applyCurrentPreset(); // what the changer does at its silent point
    EXPECT_EQ (parameter (BasePluginOldStyle::currentPresetNumberIndex).getIntValue(), 4);
    EXPECT_EQ (listener.changes, 2);
}

TEST_F (BasePluginOldStyleTest, PresetFilesRoundTripToSixDecimals)
{
    plugin.getPreset (7)->setValue (feedback, 0.1234567f);
    plugin.getPreset (7)->setValue (fx, 1.0f);
    plugin.renamePreset (7, "Round & \"trip\"");

    const auto file = folder.getChildFile ("one.qvprs");
    ASSERT_TRUE (plugin.savePresetFile (file, 7));
    const auto text = file.loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE (text.contains ("<param name=\"Feedback\" value=\"0.123457\"/>"));
    EXPECT_TRUE (text.contains ("<param name=\"FX\" value=\"1\"/>"));

    plugin.loadPresetFile (file, 20);
    EXPECT_EQ (plugin.getPresetName (20), "Round & \"trip\"");

    for (int id = 0; id < 16; ++id)
        EXPECT_NEAR (stored (20, id), stored (7, id), 5e-7) << id;
}

TEST_F (BasePluginOldStyleTest, LoadingAPresetIntoTheCurrentOneAppliesIt)
{
    plugin.changeToPreset (2);
    const float stages = stored (2, 0);
    parameter (0).setNormalizedValue (stages > 0.5f ? 0.0f : 1.0f, true); // an unstored edit

    plugin.loadPresetFile (write ("feedback.qvprs", presetXml ("Only feedback")), 2);
    EXPECT_EQ (plugin.getPresetName (2), "Only feedback");
    EXPECT_FLOAT_EQ (live (feedback), 0.25f);
    EXPECT_NEAR (live (0), stages, 1e-6);

    // A preset of another plug-in reads nothing but still undoes edits.
    parameter (0).setNormalizedValue (stages > 0.5f ? 0.0f : 1.0f, true);
    plugin.loadPresetFile (write ("foreign.qvprs", presetXml ("Foreign", "Other")), 2);
    EXPECT_EQ (plugin.getPresetName (2), "Only feedback");
    EXPECT_NEAR (live (0), stages, 1e-6);
}

TEST_F (BasePluginOldStyleTest, BanksRoundTripWithEveryGroup)
{
    plugin.insertGroup (1);
    plugin.getPreset (60)->setValue (fx, 0.3333333f);
    const auto file = folder.getChildFile ("bank.qvprsb");
    ASSERT_TRUE (plugin.saveBankFile (file));
    const auto before = groups();
    const auto values = plugin.getPreset (60)->values;

    plugin.clearPresets();
    plugin.loadBankFile (file);

    EXPECT_EQ (groups(), before); // no second "Not used"
    EXPECT_EQ (plugin.getBankName(), "Quilvern Factory Presets");
    EXPECT_EQ (plugin.getPresetName (0), "Classic Swirl");

    for (int id = 0; id < 16; ++id)
        EXPECT_NEAR (plugin.getPreset (60)->getValue (id), values[(size_t) id], 5e-7);

    EXPECT_EQ (plugin.getRecentDirectory(), folder.getFullPathName());
}

TEST_F (BasePluginOldStyleTest, ReadsPartialForeignAndOverfullBanks)
{
    using Group = std::pair<juce::String, int>;
    const auto quilvern = presetXml ("Q");
    const auto foreign = presetXml ("F", "Other");
    juce::String many;

    for (int i = 0; i < 130; ++i)
        many << presetXml ("P" + juce::String (i));

    struct Case
    {
        const char* what;
        juce::String xml;
        juce::String bankName;
        std::vector<Group> groups;
    };

    const Case cases[] = {
        { "one group of three", "<PresetBank name=\"B\"><PresetGroup name=\"G\">" + quilvern + quilvern + quilvern + "</PresetGroup></PresetBank>",
          "B", { { "G", 3 }, { "Not used", 125 } } },
        { "no names", "<presetbank><PRESETGROUP>" + quilvern + "</PRESETGROUP><PresetGroup/></presetbank>",
          "Preset Bank", { { "group 1", 1 }, { "group 2", 0 }, { "Not used", 127 } } },
        { "foreign presets take no slot", "<PresetBank><PresetGroup name=\"A\">" + foreign + quilvern + "</PresetGroup><PresetGroup name=\"B\">" + foreign + "</PresetGroup></PresetBank>",
          "Preset Bank", { { "A", 1 }, { "B", 0 }, { "Not used", 127 } } },
        { "presets directly under the bank", "<PresetBank>" + quilvern + "</PresetBank>",
          "Preset Bank", { { "Not used", 128 } } },
        { "more than 128", "<PresetBank><PresetGroup name=\"A\">" + many + "</PresetGroup><PresetGroup name=\"B\">" + quilvern + "</PresetGroup></PresetBank>",
          "Preset Bank", { { "A", 128 }, { "B", 0 } } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto xml = juce::parseXML (c.xml);
        ASSERT_NE (xml, nullptr);
        plugin.readBankXml (*xml);
        EXPECT_EQ (plugin.getBankName(), c.bankName);
        EXPECT_EQ (groups(), c.groups);
    }

    EXPECT_EQ (plugin.getPresetName (127), "P127");

    plugin.readBankXml (*juce::parseXML (cases[0].xml));
    EXPECT_EQ (plugin.getPresetName (2), "Q");
    EXPECT_EQ (plugin.getPresetName (3), "Preset 3");
    EXPECT_EQ (plugin.getPreset (3)->values, plugin.getDefaultsPreset().values);
}

TEST_F (BasePluginOldStyleTest, SavingPutsTheRightExtensionOn)
{
    struct Case { const char* given; const char* written; bool bank; };
    const Case cases[] = {
        { "plain", "plain.qvprsb", true },     { "old.qvb", "old.qvprsb", true },
        { "keep.QVPRSB", "keep.QVPRSB", true }, { "single.txt", "single.qvprs", false },
        { "single.qvprsb", "single.qvprs", false },
    };

    for (const auto& c : cases)
    {
        const auto given = folder.getChildFile (c.given);
        ASSERT_TRUE (c.bank ? plugin.saveBankFile (given) : plugin.savePresetFile (given, 0));
        EXPECT_TRUE (folder.getChildFile (c.written).existsAsFile()) << c.given;
    }

    EXPECT_EQ (plugin.getPresetOpenPattern(), "*.qvprs");
    EXPECT_EQ (plugin.getBankSavePattern(), "*.qvprsb");
    plugin.olderFormats = true;
    EXPECT_EQ (plugin.getPresetOpenPattern(), "*.qvprs; *.qvp");
}

TEST_F (BasePluginOldStyleTest, HostileFilesChangeNothing)
{
    juce::MemoryBlock huge;
    huge.setSize (5 * 1024 * 1024, true);
    const auto deep = juce::String::repeatedString ("<PresetBank>", 200000);
    const auto hugeFile = folder.getChildFile ("huge.qvprsb");
    ASSERT_TRUE (hugeFile.replaceWithData (huge.getData(), huge.getSize()));

    const juce::File files[] = {
        hugeFile,
        write ("deep.qvprsb", deep),
        write ("garbage.qvprsb", "\x01\x02 not <xml"),
        folder.getChildFile ("missing.qvprsb"),
    };

    plugin.changeToPreset (4);
    const auto bank = bankText();
    const auto presetFour = plugin.createPresetXmlAt (4)->toString();

    for (const auto& file : files)
    {
        plugin.setRecentDirectory ("elsewhere");
        plugin.loadBankFile (file);
        plugin.loadPresetFile (file, 4);
        EXPECT_EQ (bankText(), bank) << file.getFileName();
        EXPECT_EQ (plugin.createPresetXmlAt (4)->toString(), presetFour);
        EXPECT_EQ (plugin.getRecentDirectory(), folder.getFullPathName()) << file.getFileName();
    }

    // A well-formed file that is not a bank: unchanged, current preset applied again.
    parameter (feedback).setNormalizedValue (stored (4, feedback) > 0.5f ? 0.0f : 1.0f, true);
    plugin.loadBankFile (write ("preset.qvprsb", presetXml ("x")));
    EXPECT_EQ (bankText(), bank);
    EXPECT_FLOAT_EQ (live (feedback), stored (4, feedback));
}

TEST_F (BasePluginOldStyleTest, SavingReplacesThePreviousFileWhole)
{
    const auto file = write ("bank.qvprsb", juce::String::repeatedString ("previous content ", 100000));
    ASSERT_TRUE (plugin.saveBankFile (file));

    EXPECT_TRUE (file.loadFileAsString().trimEnd().endsWith ("</PresetBank>"));
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1); // no temporary left

    // A target that cannot be written reports failure and creates nothing.
    EXPECT_FALSE (plugin.saveBankFile (folder.getChildFile ("no/such/folder/bank.qvprsb")));
}
