#include <gmock/gmock.h>

#include "framework/BasePlugin.h"
#include "framework/FloatParameter.h"
#include "support/MessagePump.h"
#include "support/WithoutAudio.h"

namespace
{
// The smallest processor on the base: the product's name and parameters,
// host slots mapped as the preset layer maps them, state and settings kept
// in plain fields so the tests can see what went in and out.
class TestPlugin : public WithoutAudio<BasePlugin>
{
public:
    explicit TestPlugin (int hostParameters = 16) : numHostParameters (hostParameters) {}

    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }
    int getNumHostParameters() const override { return numHostParameters; }

    void initialise() override
    {
        for (int i = 0; i < 16; ++i)
            mapHostSlot (i, i);

        BasePlugin::initialise();
    }

    std::unique_ptr<juce::XmlElement> createStateXml() override { return createElementWithApplication ("PluginState"); }
    void setStateFromXml (const juce::XmlElement& e) override { restored = e.toString(); }
    std::unique_ptr<juce::XmlElement> createProgramStateXml() override { return createElementWithApplication ("Program"); }
    void setProgramStateFromXml (const juce::XmlElement& e) override { restoredProgram = e.toString(); }

    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override
    {
        auto xml = createElementWithApplication ("UserSettings");
        xml->setAttribute ("mapFile", getMidiControl().getMapFile());
        return xml;
    }

    void loadUserSettings (const juce::XmlElement& e) override
    {
        ++settingsLoads;
        getMidiControl().setMapFile (e.getStringAttribute ("mapFile"));
        getMidiControl().setUseMapFileAtStart (getMidiControl().getMapFile().isNotEmpty());
    }

    juce::File getUserSettingsFile() const override { return settingsFile; }

    int numHostParameters;
    juce::File settingsFile;
    juce::String restored, restoredProgram;
    int settingsLoads = 0;
};

// What the host hears from the processor.
struct HostLog : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int slot, float value) override
    {
        changes.push_back ({ slot, value });
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int slot) override { gestures.push_back (slot); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int slot) override { gestures.push_back (-slot); }

    std::vector<std::pair<int, float>> changes;
    std::vector<int> gestures;
};

struct StateLog : BasePlugin::StateListener
{
    void stateRestored (BasePlugin*) override { calls.push_back ("restored"); }
    void stateSaved (BasePlugin*) override { calls.push_back ("saved"); }
    std::vector<juce::String> calls;
};

// A constructed and started plug-in with its settings file in a temporary folder.
struct StartedPlugin
{
    explicit StartedPlugin (int hostParameters = 16) : plugin (hostParameters)
    {
        folder.createDirectory();
        plugin.settingsFile = folder.getChildFile ("Quilvern.ini");
        plugin.completeCreation();
        plugin.start();
        plugin.addListener (&host);
        MessagePump::run();
    }

    ~StartedPlugin()
    {
        plugin.removeListener (&host);
        folder.deleteRecursively();
    }

    const juce::File folder = juce::File::createTempFile ("settings");
    TestPlugin plugin;
    HostLog host;
};

using Changes = std::vector<std::pair<int, float>>;
} // namespace

TEST (BasePlugin, AnswersForSlotsWithParametersEmptySlotsAndSlotsBeyondTheCount)
{
    StartedPlugin small (16), large (128);
    BasePlugin& p16 = small.plugin;
    BasePlugin& p128 = large.plugin;

    EXPECT_EQ (p16.getNumParameters(), 16);
    EXPECT_EQ (p16.getParameterName (0), "Stages Number");
    EXPECT_EQ (p16.getParameterText (10), "0.500000000");
    EXPECT_EQ (p16.getParameter (13), 0.0f);

    for (int slot : { 16, 20, -1, 1000 })
    {
        SCOPED_TRACE (slot);
        p16.setParameter (slot, 0.3f);
        EXPECT_EQ (p16.getParameterName (slot), "");
        EXPECT_EQ (p16.getParameter (slot), 0.0f);
        EXPECT_EQ (p16.getParameterText (slot), "");
        EXPECT_FALSE (p16.isParameterAutomatable (slot));
    }

    EXPECT_EQ (p128.getParameterName (20), "Parameter 21");
    EXPECT_EQ (p128.getParameter (20), 0.0f);
    p128.setParameter (20, 0.3f);
    EXPECT_EQ (p128.getParameter (20), 0.3f);
    EXPECT_EQ (p128.getParameterText (20), "0.300000012");
    EXPECT_TRUE (p128.isParameterAutomatable (127));
    EXPECT_TRUE (large.host.changes.empty());
}

TEST (BasePlugin, SlotsAreAutomatableWhateverTheParametersFlag)
{
    StartedPlugin started (128);
    auto* manual = new FloatParameter (40, "Manual", 0.0f, 1.0f, 0.0f);
    started.plugin.getParameterManager().addParameter (manual);
    started.plugin.mapHostSlot (40, 40);

    EXPECT_FALSE (manual->isAutomatable());
    EXPECT_TRUE (started.plugin.isParameterAutomatable (40));
    EXPECT_EQ (started.plugin.getParameterName (40), "Manual");
}

TEST (BasePlugin, HostChangesAreNotEchoedButEditorAndMidiChangesReachTheHost)
{
    StartedPlugin started;
    auto& plugin = started.plugin;
    auto* feedback = plugin.getParameterManager().getParameter (1);

    plugin.setParameter (1, 0.7f);
    EXPECT_EQ (feedback->getValue(), 0.7f);
    EXPECT_TRUE (started.host.changes.empty());

    feedback->setNormalizedValue (0.2f, true);
    plugin.getMidiControl().assign (7, feedback, true);
    plugin.getMidiControl().handleMidiMessage (juce::MidiMessage::controllerEvent (3, 7, 127));
    feedback->beginChangeGesture();
    feedback->endChangeGesture();

    EXPECT_EQ (started.host.changes, (Changes { { 1, 0.2f }, { 1, 1.0f } }));
    EXPECT_EQ (started.host.gestures, (std::vector<int> { 1, -1 }));
}

TEST (BasePlugin, StartAnnouncesEveryMappedParameterToTheHostOnce)
{
    TestPlugin plugin;
    HostLog host;
    plugin.addListener (&host);
    plugin.completeCreation();
    plugin.start();

    ASSERT_EQ (host.changes.size(), 16u);
    EXPECT_EQ (host.changes[3], std::make_pair (3, 0.5f));
    EXPECT_EQ (host.changes[15], std::make_pair (15, 0.0f));
    plugin.removeListener (&host);
}

TEST (BasePlugin, CompletesCreationWithTheModulesFolderAndTheOwnerName)
{
    TestPlugin plugin;
    EXPECT_EQ (plugin.getEditorComponent(), nullptr);
    EXPECT_EQ (plugin.createEditor(), nullptr);

    plugin.completeCreation();
    EXPECT_EQ (plugin.getModuleFile(), juce::File::getSpecialLocation (juce::File::currentExecutableFile));
    EXPECT_EQ (plugin.getPluginDirectory(), plugin.getModuleFile().getParentDirectory());
    EXPECT_EQ (plugin.getMidiControl().getOwnerName(), "Quilvern");
    EXPECT_EQ (plugin.getMidiMapExtension(), ".qvccmap");
    EXPECT_EQ (plugin.getParameterManager().getParameter (300000), nullptr) << "debug mode is off";
    EXPECT_EQ (plugin.getEventsMap().getEventName (10000), "");
}

TEST (BasePlugin, HostEditorWindowsComeAndGoAroundOnePersistentComponent)
{
    struct TimedEditor : juce::Component, juce::Timer
    {
        TimedEditor() { setSize (321, 123); }
        void timerCallback() override {}
    };

    struct EditorPlugin : TestPlugin
    {
        std::unique_ptr<juce::Component> createEditorComponent() override { return std::make_unique<TimedEditor>(); }
    } plugin;

    plugin.completeCreation();
    plugin.start();
    auto* component = dynamic_cast<TimedEditor*> (plugin.getEditorComponent());
    ASSERT_NE (component, nullptr);
    EXPECT_TRUE (component->isTimerRunning());
    EXPECT_EQ (component->getTimerInterval(), 25);

    for (int opening = 0; opening < 2; ++opening)
    {
        std::unique_ptr<juce::AudioProcessorEditor> window (plugin.createEditorIfNeeded());
        ASSERT_NE (window, nullptr);
        EXPECT_EQ (window->getChildComponent (0), component);
        EXPECT_TRUE (component->isVisible());
        EXPECT_EQ (window->getWidth(), 321);
        EXPECT_EQ (window->getHeight(), 123);
        // As every host wrapper does before it deletes the editor.
        plugin.editorBeingDeleted (window.get());
        window.reset();
        EXPECT_EQ (component->getParentComponent(), nullptr);
        EXPECT_FALSE (component->isVisible());
    }

    EXPECT_EQ (plugin.getEditorComponent(), component);
}

TEST (BasePlugin, StateGoesThroughXmlAndListenersHearOfItOnTheMessageThread)
{
    StartedPlugin started;
    auto& plugin = started.plugin;
    StateLog log;
    plugin.addStateListener (&log);

    juce::MemoryBlock state, program;
    plugin.getStateInformation (state);
    plugin.getStateInformation (state);
    plugin.getCurrentProgramStateInformation (program);
    EXPECT_TRUE (log.calls.empty());

    plugin.setStateInformation (state.getData(), (int) state.getSize());
    plugin.setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
    EXPECT_TRUE (plugin.restored.contains ("<PluginState application=\"Quilvern\"/>"));
    EXPECT_TRUE (plugin.restoredProgram.contains ("<Program application=\"Quilvern\"/>"));

    MessagePump::run();
    EXPECT_EQ (log.calls, (std::vector<juce::String> { "restored", "saved" }));

    plugin.restored = {};
    const char garbage[] = "not a state block";
    plugin.setStateInformation (garbage, sizeof (garbage));
    plugin.setStateInformation (nullptr, 0);
    MessagePump::run();
    EXPECT_EQ (plugin.restored, "");
    EXPECT_EQ (log.calls.back(), "restored");
    EXPECT_EQ (log.calls.size(), 3u);
    plugin.removeStateListener (&log);
}

TEST (BasePlugin, RecognisesItsOwnXmlByTagAndApplication)
{
    TestPlugin plugin;
    auto own = plugin.createElementWithApplication ("PluginState");
    EXPECT_EQ (own->getStringAttribute ("application"), "Quilvern");

    juce::XmlElement otherCase ("pluginstate"), other ("PluginState"), missing ("PluginState");
    otherCase.setAttribute ("APPLICATION", "QUILVERN");
    other.setAttribute ("application", "Other");

    EXPECT_TRUE (plugin.isStateXml (*own));
    EXPECT_TRUE (plugin.isStateXml (otherCase));
    EXPECT_FALSE (plugin.isStateXml (other));
    EXPECT_FALSE (plugin.isStateXml (missing));
    EXPECT_FALSE (plugin.isUserSettingsXml (*own));
}

TEST (BasePlugin, WritesAndReadsTheUserSettingsFileAndLoadsTheStartUpMap)
{
    juce::TemporaryFile mapFile (".qvccmap");
    {
        StartedPlugin first;
        first.plugin.getMidiControl().assign (5, first.plugin.getParameterManager().getParameter (2), true);
        first.plugin.getMidiControl().saveMapFile (mapFile.getFile());
        first.plugin.getMidiControl().setMapFile (mapFile.getFile().getFullPathName());
        first.plugin.saveUserSettingsFile();

        const auto text = first.plugin.settingsFile.loadFileAsString();
        EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

        TestPlugin second;
        second.settingsFile = first.plugin.settingsFile;
        second.completeCreation();
        second.start();
        EXPECT_EQ (second.settingsLoads, 1);
        EXPECT_TRUE (second.getMidiControl().getUseMapFileAtStart());
        EXPECT_EQ (second.getMidiControl().getAssignment (5), second.getParameterManager().getParameter (2));
    }

    StartedPlugin missing;
    EXPECT_EQ (missing.plugin.settingsLoads, 0);
}

TEST (BasePlugin, DefaultSettingsFileSitsBesideTheLibraryOnceItIsKnown)
{
    struct DefaultLocation : TestPlugin
    {
        juce::File file() const { return BasePlugin::getUserSettingsFile(); }
    } plugin;

    EXPECT_EQ (plugin.file(), juce::File());
    plugin.completeCreation();
    EXPECT_EQ (plugin.file(), plugin.getPluginDirectory().getChildFile ("Quilvern.ini"));
}

TEST (BasePlugin, HasNoHostProgramsAndTheBuiltInEvents)
{
    TestPlugin plugin;
    EXPECT_EQ (plugin.getNumPrograms(), 0);
    EXPECT_EQ (plugin.getCurrentProgram(), 0);
    EXPECT_EQ (plugin.getProgramName (0), "");
    EXPECT_EQ (plugin.getName(), "Quilvern");
    EXPECT_TRUE (plugin.hasEditor());
    EXPECT_EQ (plugin.getEventsMap().getNumEvents(), 11);
    EXPECT_EQ (plugin.getEventsMap().findEventId ("Toggle Midi Learn"), EventsMap::toggleMidiLearn);
}
