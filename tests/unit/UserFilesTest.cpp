// The user's files in the editor: a preset, bank or map that could not be
// saved or loaded is told in an alert with its reason, and a save whose name
// the editor completed asks before replacing a file.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "gui/editor/MidiControlComponent.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "gui/editor/QuilvernEditor.h"
#include "support/MessagePump.h"
#include "support/ScriptedFileDialog.h"
#include "support/Unprivileged.h"

#include <sys/stat.h>


namespace
{
enum class Action { savePreset, saveBank, saveMap, loadPreset, loadBank, loadMap };

bool isSave (Action a) { return a == Action::savePreset || a == Action::saveBank || a == Action::saveMap; }
bool isMap (Action a) { return a == Action::saveMap || a == Action::loadMap; }

juce::String kindOf (Action a)
{
    if (isMap (a))
        return "Midi Control map";

    return a == Action::savePreset || a == Action::loadPreset ? "preset" : "preset bank";
}

juce::String extensionOf (Action a)
{
    return isMap (a) ? ".qvccmap" : (kindOf (a) == "preset" ? ".qvprs" : ".qvprsb");
}

void setMode (const juce::File& file, mode_t mode)
{
    ASSERT_EQ (chmod (file.getFullPathName().toRawUTF8(), mode), 0);
}

const juce::String otherPreset = "<Preset application=\"Other\" name=\"Theirs\"><param name=\"Feedback\" value=\"1\"/></Preset>";

// A started product with its editor; the preset browser's and the MIDI
// page's file dialogs answer from the script.
class UserFiles : public ::testing::Test
{
protected:
    UserFiles()
    {
        folder.createDirectory();
        browserDialog.install (browser().getFileDialog());
        mapDialog.install (midiPage().getFileDialog());
        plugin->getMidiControl().assign (7, plugin->getParameterManager().findParameterByName ("FX"), true);
    }

    ~UserFiles() override
    {
        for (const auto& child : folder.findChildFiles (juce::File::findFilesAndDirectories, true))
            chmod (child.getFullPathName().toRawUTF8(), 0755);

        folder.deleteRecursively();
    }

    QuilvernEditor& editor() { return *dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent()); }
    OldStylePresetBrowserWindow& browser() { return *editor().getPresetBrowserWindow(); }
    MidiControlComponent& midiPage() { return *editor().getMidiControlTab(); }
    FileAlerts& alertsFor (Action a) { return isMap (a) ? midiPage().getFileAlerts() : browser().getFileAlerts(); }

    juce::Button& buttonFor (Action a)
    {
        switch (a)
        {
            case Action::savePreset: return browser().getPresetSaveButton();
            case Action::saveBank:   return browser().getBankSaveButton();
            case Action::saveMap:    return midiPage().getSaveButton();
            case Action::loadPreset: return browser().getPresetLoadButton();
            case Action::loadBank:   return browser().getBankLoadButton();
            case Action::loadMap:    break;
        }

        return midiPage().getLoadButton();
    }

    // The user clicks the button and chooses the file in the dialog.
    void perform (Action a, const juce::File& chosen)
    {
        browserDialog.answer = mapDialog.answer = chosen;
        buttonFor (a).triggerClick();
        MessagePump::run();
    }

    static void click (Brannock::AlertWindow& alert, int button)
    {
        alert.getButton (button)->triggerClick();
        MessagePump::run();
    }

    // What a load could change: the bank, the current preset's values, the map.
    juce::String modelText()
    {
        auto text = plugin->createBankXml()->toString();

        for (int id = 0; id < 16; ++id)
            text << " " << plugin->getParameter (id);

        return text + plugin->getMidiControl().createMapXml()->toString();
    }

    std::unique_ptr<Quilvern> plugin = createQuilvern (juce::File());
    ScriptedFileDialog browserDialog, mapDialog;
    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getChildFile ("quilvern-user-files-" + juce::Uuid().toString());
};
} // namespace

TEST_F (UserFiles, AFailedSaveOrLoadIsToldWithItsReason)
{
    enum class Setup { readOnlyFolder, vanishedFolder, damaged, otherPlugin, unreadable, empty, vanishedFile, otherKind };

    struct Case
    {
        Action action;
        Setup setup;
        const char* reason;
    };

    const Case cases[] = {
        { Action::savePreset, Setup::readOnlyFolder, "Permission denied." },
        { Action::saveBank,   Setup::readOnlyFolder, "Permission denied." },
        { Action::saveMap,    Setup::readOnlyFolder, "Permission denied." },
        { Action::savePreset, Setup::vanishedFolder, "The folder does not exist." },
        { Action::saveBank,   Setup::vanishedFolder, "The folder does not exist." },
        { Action::saveMap,    Setup::vanishedFolder, "The folder does not exist." },
        { Action::loadPreset, Setup::damaged,        "The file is damaged or is not a preset file." },
        { Action::loadBank,   Setup::damaged,        "The file is damaged or is not a preset bank file." },
        { Action::loadMap,    Setup::damaged,        "The file is damaged or is not a Midi Control map file." },
        { Action::loadPreset, Setup::otherPlugin,    "The preset belongs to another plug-in (Other)." },
        { Action::loadBank,   Setup::otherPlugin,    "The bank holds no presets of Quilvern." },
        { Action::loadMap,    Setup::otherPlugin,    "The Midi Control map belongs to another plug-in (Other)." },
        { Action::loadPreset, Setup::unreadable,     "Permission denied." },
        { Action::loadMap,    Setup::empty,          "The file is empty." },
        { Action::loadBank,   Setup::vanishedFile,   "The file does not exist." },
        { Action::loadPreset, Setup::otherKind,      "The file is not a preset file." },
    };

    for (const auto& c : cases)
    {
        const auto place = folder.getChildFile (juce::String ((int) c.setup) + "-" + juce::String ((int) c.action));
        ASSERT_TRUE (place.createDirectory());
        auto file = place.getChildFile ("Mine" + extensionOf (c.action));
        SCOPED_TRACE (kindOf (c.action) + " " + juce::String ((int) c.setup));

        switch (c.setup)
        {
            case Setup::readOnlyFolder: setMode (place, 0555); break;
            case Setup::vanishedFolder: place.deleteRecursively(); break;
            case Setup::damaged:        file.replaceWithText ("<PresetBank name=\"Cut\"><PresetGroup name=\"G\"><Preset appl"); break;
            case Setup::unreadable:     file.replaceWithText (otherPreset); setMode (file, 0); break;
            case Setup::empty:          file.create(); break;
            case Setup::vanishedFile:   break;
            case Setup::otherKind:      file.replaceWithText ("<MidiControlMap name=\"Quilvern\"/>"); break;
            case Setup::otherPlugin:
                file.replaceWithText (c.action == Action::loadPreset ? otherPreset
                                      : c.action == Action::loadBank ? "<PresetBank><PresetGroup name=\"G\">" + otherPreset + "</PresetGroup></PresetBank>"
                                                                     : juce::String ("<MidiControlMap name=\"Other\"><assign CC=\"1\" param=\"FX\"/></MidiControlMap>"));
                break;
        }

        const auto before = modelText();
        {
            const Unprivileged unprivileged;
            ASSERT_TRUE (unprivileged.isEffective());
            perform (c.action, isSave (c.action) ? place.getChildFile ("Mine") : file);
        }

        auto* alert = alertsFor (c.action).getFailure();
        ASSERT_NE (alert, nullptr);
        EXPECT_TRUE (alert->isShown());
        EXPECT_EQ (alert->getTitle(), "Quilvern");
        EXPECT_EQ (alert->getButton (0)->getButtonText(), "OK");
        EXPECT_EQ (alert->getMessage(), juce::String ("Could not ") + (isSave (c.action) ? "save" : "load") + " the "
                                            + kindOf (c.action) + " \"" + file.getFileName() + "\"\n"
                                            + (isSave (c.action) ? "in " : "from ") + place.getFullPathName() + ":\n"
                                            + c.reason);

        if (isSave (c.action))
            EXPECT_EQ (place.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0) << "nothing written, no temporary file";

        EXPECT_EQ (modelText(), before) << "the bank, the parameters and the map stay as they were";

        click (*alert, 0);
        EXPECT_FALSE (alert->isShown());
    }
}

TEST_F (UserFiles, ASaveUnderACompletedNameAsksBeforeReplacing)
{
    struct Case
    {
        Action action;
        const char* chosen;
    };

    const Case cases[] = { { Action::savePreset, "Warm.txt" }, { Action::saveBank, "Live.qvb" }, { Action::saveMap, "Pads" } };

    for (const auto& c : cases)
    {
        const auto chosen = folder.getChildFile (c.chosen);
        const auto target = chosen.withFileExtension (extensionOf (c.action));
        SCOPED_TRACE (target.getFileName());
        ASSERT_TRUE (target.replaceWithText ("earlier"));

        perform (c.action, chosen);
        auto* question = alertsFor (c.action).getQuestion();
        ASSERT_NE (question, nullptr);
        ASSERT_TRUE (question->isShown());
        EXPECT_EQ (question->getTitle(), "Quilvern");
        EXPECT_EQ (question->getMessage(), "The file \"" + target.getFileName() + "\" already exists.\n"
                                           "Do you really want to replace it?");
        EXPECT_EQ (target.loadFileAsString(), "earlier");

        click (*question, 1); // "No"
        EXPECT_FALSE (question->isShown());
        EXPECT_EQ (target.loadFileAsString(), "earlier");
        EXPECT_FALSE (chosen.exists());

        perform (c.action, chosen);
        click (*alertsFor (c.action).getQuestion(), 0); // "Yes"
        EXPECT_NE (juce::parseXML (target), nullptr);
        EXPECT_EQ (alertsFor (c.action).getFailure(), nullptr);

        // The dialog asked for the name it was given.
        ASSERT_TRUE (target.replaceWithText ("earlier"));
        perform (c.action, target);
        EXPECT_FALSE (alertsFor (c.action).getQuestion()->isShown());
        EXPECT_NE (juce::parseXML (target), nullptr);
    }

    // "Yes" to a replace that then fails: the failure is told over the question's own window.
    const auto locked = folder.getChildFile ("locked");
    ASSERT_TRUE (locked.createDirectory());
    ASSERT_TRUE (locked.getChildFile ("Warm.qvprs").replaceWithText ("earlier"));
    setMode (locked, 0555);
    perform (Action::savePreset, locked.getChildFile ("Warm.txt"));
    {
        const Unprivileged unprivileged;
        ASSERT_TRUE (unprivileged.isEffective());
        click (*browser().getFileAlerts().getQuestion(), 0);
    }

    ASSERT_NE (browser().getFileAlerts().getFailure(), nullptr);
    EXPECT_TRUE (browser().getFileAlerts().getFailure()->isShown());
    EXPECT_TRUE (browser().getFileAlerts().getFailure()->getMessage().endsWith ("Permission denied."));
    EXPECT_EQ (locked.getChildFile ("Warm.qvprs").loadFileAsString(), "earlier");
}
