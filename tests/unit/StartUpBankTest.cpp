// A user bank that cannot fill the bank when an instance starts gives way to
// the factory bank, as a missing one does; the setting stays, and the status
// bar and the "Presets" tab say why. A user map that cannot load is told in
// the status bar too.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "gui/editor/QuilvernEditor.h"

#include <optional>

namespace
{
const juce::String otherPreset = "<Preset application=\"Other\" name=\"Theirs\"><param name=\"Feedback\" value=\"1\"/></Preset>";

class StartUpBank : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    std::unique_ptr<Quilvern> startWithUserBank (const juce::File& bank)
    {
        EXPECT_TRUE (settingsFile.replaceWithText ("<UserSettings application=\"Quilvern\"><ResourcesSettings>"
                                                   "<Presets default=\"userDefinedPresets\" file=\""
                                                   + bank.getFullPathName() + "\"/></ResourcesSettings></UserSettings>"));
        return createQuilvern (settingsFile);
    }

    std::unique_ptr<Quilvern> startWithUserMap (const juce::File& map)
    {
        EXPECT_TRUE (settingsFile.replaceWithText ("<UserSettings application=\"Quilvern\"><ResourcesSettings>"
                                                   "<MidiCCMap default=\"userDefinedMidiCCMap\" file=\""
                                                   + map.getFullPathName() + "\"/></ResourcesSettings></UserSettings>"));
        return createQuilvern (settingsFile);
    }

    static QuilvernEditor& editorOf (Quilvern& plugin) { return *dynamic_cast<QuilvernEditor*> (plugin.getEditorComponent()); }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getChildFile ("quilvern-start-up-bank-" + juce::Uuid().toString());
    const juce::File settingsFile = folder.getChildFile ("Quilvern.ini");
};
} // namespace

TEST_F (StartUpBank, AUserBankThatCannotFillTheBankGivesWayToTheFactoryBankWithANote)
{
    struct Case
    {
        const char* what;
        std::optional<juce::String> content; // none: no file at all
        const char* reason;
    };

    const Case cases[] = {
        { "damaged", "<PresetBank name=\"Mine\"><PresetGroup name=\"G\"><Preset application=\"Quilvern\" na",
          "The file is damaged or is not a preset bank file." },
        { "empty", "", "The file is empty." },
        { "not a bank", "<Preset application=\"Quilvern\" name=\"One\"/>", "The file is not a preset bank file." },
        { "another plug-in's bank", "<PresetBank><PresetGroup name=\"G\">" + otherPreset + "</PresetGroup></PresetBank>",
          "The bank holds no presets of Quilvern." },
        { "missing", std::nullopt, "The file does not exist." },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const auto bank = folder.getChildFile (juce::String (c.what) + ".qvprsb");

        if (c.content.has_value())
            ASSERT_TRUE (bank.replaceWithText (*c.content));

        auto plugin = startWithUserBank (bank);
        EXPECT_EQ (plugin->getBankName(), "Quilvern Factory Presets");
        EXPECT_EQ (plugin->getGroupName (0), "Free run");
        EXPECT_EQ (plugin->getGroupSize (1), 14);
        EXPECT_EQ (plugin->getParameterManager().findParameterByName ("Current Preset Name")->getText(),
                   plugin->getPresetName (0));
        EXPECT_EQ (plugin->getStartUpBankFailure().getErrorMessage(), c.reason);

        // The setting stays as the user chose it.
        EXPECT_EQ (plugin->getDefaultPresetsMode(), BasePluginOldStyle::userDefinedPresets);
        const auto settings = plugin->createUserSettingsXml();
        const auto* presets = settings->getChildByName ("ResourcesSettings")->getChildByName ("Presets");
        EXPECT_EQ (presets->getStringAttribute ("default"), "userDefinedPresets");
        EXPECT_EQ (presets->getStringAttribute ("file"), bank.getFullPathName());

        auto& editor = editorOf (*plugin);
        EXPECT_EQ (editor.getStatusBar().getText(), juce::String (BasePluginEditorOldStyle::startUpBankNote));
        EXPECT_EQ (editor.getStatusBar().getPriority(), StatusBar::settingsNotePriority);
        auto& note = editor.getPresetsTab()->getStartUpNote();
        EXPECT_TRUE (note.isVisible());
        EXPECT_EQ (note.getText(), juce::String (PresetsSettingsComponent::startUpNoteText) + "\n" + c.reason);
    }
}

TEST_F (StartUpBank, TheNoteComesBackWithEachHostWindowAndStaysWithTheFailedFile)
{
    const auto bank = folder.getChildFile ("damaged.qvprsb");
    ASSERT_TRUE (bank.replaceWithText ("not a bank"));
    auto plugin = startWithUserBank (bank);
    auto& editor = editorOf (*plugin);

    for (int opening = 0; opening < 2; ++opening)
    {
        editor.getStatusBar().clear(); // as "Options" or a knob's feedback timing out does
        std::unique_ptr<juce::AudioProcessorEditor> window (plugin->createEditorIfNeeded());
        ASSERT_NE (window, nullptr);
        EXPECT_EQ (editor.getStatusBar().getText(), juce::String (BasePluginEditorOldStyle::startUpBankNote)) << opening;
        // As every host wrapper does before it deletes the editor.
        plugin->editorBeingDeleted (window.get());
    }

    auto& tab = *editor.getPresetsTab();
    auto& note = tab.getStartUpNote();
    tab.getUserBankPath().setPath (folder.getChildFile ("other.qvprsb").getFullPathName(), juce::sendNotification);
    EXPECT_FALSE (note.isVisible());
    tab.getUserBankPath().setPath (bank.getFullPathName(), juce::sendNotification);
    EXPECT_TRUE (note.isVisible());
    tab.getDefaultPresetsGroup().setSelectedIndex (BasePluginOldStyle::factoryPresets, juce::sendNotification);
    EXPECT_FALSE (note.isVisible());

    // A user bank that loads leaves no note.
    const auto good = folder.getChildFile ("good.qvprsb");
    ASSERT_TRUE (plugin->saveBankFile (good));
    auto fine = startWithUserBank (good);
    EXPECT_TRUE (fine->getStartUpBankFailure().wasOk());
    EXPECT_EQ (editorOf (*fine).getStatusBar().getText(), "");
    EXPECT_FALSE (editorOf (*fine).getPresetsTab()->getStartUpNote().isVisible());
}

TEST_F (StartUpBank, AUserMapThatCannotLoadIsToldWithEachHostWindow)
{
    const auto damaged = folder.getChildFile ("damaged.qvccmap");
    ASSERT_TRUE (damaged.replaceWithText ("<MidiControlMap name=\"Quilvern\"><assign CC=\"1\" par"));
    auto plugin = startWithUserMap (damaged);
    EXPECT_EQ (plugin->getStartUpMapFailure().getErrorMessage(), "The file is damaged or is not a Midi Control map file.");
    EXPECT_EQ (plugin->getMidiControl().createMapXml()->getNumChildElements(), 0);

    auto& editor = editorOf (*plugin);
    EXPECT_EQ (editor.getStatusBar().getText(), juce::String (BasePluginEditor::startUpMapNote));
    EXPECT_EQ (editor.getStatusBar().getPriority(), StatusBar::settingsNotePriority);
    editor.getStatusBar().clear();
    std::unique_ptr<juce::AudioProcessorEditor> window (plugin->createEditorIfNeeded());
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (editor.getStatusBar().getText(), juce::String (BasePluginEditor::startUpMapNote));
    plugin->editorBeingDeleted (window.get());
    window.reset();

    // A map that loads leaves no note.
    const auto good = folder.getChildFile ("good.qvccmap");
    plugin->getMidiControl().assign (7, plugin->getParameterManager().findParameterByName ("FX"), true);
    ASSERT_TRUE (plugin->getMidiControl().saveMapFile (good).wasOk());
    auto fine = startWithUserMap (good);
    EXPECT_TRUE (fine->getStartUpMapFailure().wasOk());
    EXPECT_EQ (fine->getMidiControl().createMapXml()->getNumChildElements(), 1);
    EXPECT_EQ (editorOf (*fine).getStatusBar().getText(), "");
}
