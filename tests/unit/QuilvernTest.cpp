#include <gmock/gmock.h>

#include "engine/QuilvernCore.h"
#include "engine/QuilvernFactory.h"
#include "support/MessagePump.h"

#include <thread>

namespace
{
constexpr int noteRate1 = QuilvernCore::lfo1NoteRate;
constexpr int sync1 = QuilvernCore::lfo1Sync;
constexpr int noteRate2 = QuilvernCore::lfo2NoteRate;
constexpr int sync2 = QuilvernCore::lfo2Sync;

struct DisplayChanges : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        ++changes;
        last = details;
        onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
    }

    int changes = 0;
    ChangeDetails last;
    bool onMessageThread = false;
};

class QuilvernTest : public ::testing::Test
{
protected:
    void SetUp() override { plugin.initialise(); }

    Quilvern plugin;
};
} // namespace

TEST_F (QuilvernTest, AnswersAsTheProduct)
{
    EXPECT_EQ (plugin.getName(), "Quilvern");
    EXPECT_EQ (plugin.getPluginCode(), "QV");
    EXPECT_EQ (plugin.getNumParameters(), 16);
    EXPECT_EQ (plugin.getNumCreatedClocks(), 2);
    EXPECT_NE (dynamic_cast<QuilvernCore*> (plugin.getCore()), nullptr);
    EXPECT_EQ (plugin.getPresetExtension(), ".qvprs");
    EXPECT_EQ (plugin.getBankExtension(), ".qvprsb");
    EXPECT_TRUE (plugin.acceptsMidi());
    EXPECT_FALSE (plugin.producesMidi());
    EXPECT_EQ (plugin.getTailLengthSeconds(), 0.0);
    EXPECT_EQ (plugin.getPresetName (plugin.getCurrentPreset()), "Classic Swirl");
}

TEST_F (QuilvernTest, SyncChangesReachTheCoreClockAndHostDisplay)
{
    DisplayChanges host;
    plugin.addListener (&host);
    auto& parameters = plugin.getParameterManager();

    parameters.setNormalizedValue (noteRate1, 0.7f); // "1/4": one cycle per beat
    EXPECT_EQ (host.changes, 0) << "note rates do not refresh the host";
    parameters.setNormalizedValue (sync1, 1.0f); // "Triplet"

    EXPECT_EQ (host.changes, 1);
    EXPECT_TRUE (host.last.parameterInfoChanged) << "the note rate's text changed";
    EXPECT_FALSE (host.last.latencyChanged) << "hosts re-read the I/O layout on a latency change";
    EXPECT_DOUBLE_EQ (plugin.getClock (0)->getCyclesPerBeat(), 1.5);
    EXPECT_EQ (plugin.getParameterText (noteRate1), "1/4t");
    EXPECT_EQ (plugin.getParameterText (sync1), "Triplet");
    EXPECT_EQ (plugin.getParameterText (16), "");
    plugin.removeListener (&host);
}

TEST_F (QuilvernTest, BoundaryFloatsGiveTheTablesItemInSoundAndText)
{
    const auto& core = *dynamic_cast<QuilvernCore*> (plugin.getCore());
    const auto& sync = plugin.getSyncHandler();

    // What the engine runs with for a stepped parameter.
    auto engineItem = [&] (int index)
    {
        switch (index)
        {
            case QuilvernCore::stagesNumber: return core.getSectionCount();
            case QuilvernCore::lfo1Wave:     return core.getWave (0);
            case QuilvernCore::lfo2Wave:     return core.getWave (1);
            case sync1:                      return core.getSyncMode (0);
            case sync2:                      return core.getSyncMode (1);
            case noteRate1:                  return sync.getNoteIndex (0);
            default:                         return sync.getNoteIndex (1);
        }
    };

    const struct
    {
        int index;
        double boundary;
        int engineItem;
        const char* text;
    } rows[] = {
        { QuilvernCore::stagesNumber, 1.0 / 6.0, 2, "4" }, { QuilvernCore::stagesNumber, 5.0 / 6.0, 4, "8" },
        { QuilvernCore::lfo1Wave, 0.7, 4, "Saw falling" }, { QuilvernCore::lfo2Wave, 0.9, 5, "Random" },
        { sync1, 5.0 / 6.0, 3, "Triplet" },                { sync2, 0.5, 2, "Dotted" },
        { noteRate1, 0.35, 6, "2" },                       { noteRate2, 0.95, 0, "1/32" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (plugin.getParameterName (row.index));
        plugin.getParameterManager().setNormalizedValue (sync1, 0.0f);
        plugin.getParameterManager().setNormalizedValue (sync2, 0.0f);
        plugin.getParameterManager().setNormalizedValue (row.index, (float) row.boundary);

        EXPECT_EQ (engineItem (row.index), row.engineItem);
        EXPECT_EQ (plugin.getParameterText (row.index), row.text);

        if (row.index == sync1 || row.index == sync2)
            EXPECT_EQ (sync.getSyncMode (row.index == sync1 ? 0 : 1), row.engineItem) << "the handler agrees with the core";
    }

    EXPECT_DOUBLE_EQ (sync.getNoteMultiplier (1), 8.0) << "\"1/32\": eight cycles per beat";
}

TEST_F (QuilvernTest, PresetsCarryTheRevisionAfterTheOtherAttributes)
{
    auto xml = plugin.createPresetXmlAt (0);
    ASSERT_EQ (xml->getNumAttributes(), 3);
    EXPECT_EQ (xml->getAttributeName (0), "application");
    EXPECT_EQ (xml->getAttributeName (1), "name");
    EXPECT_EQ (xml->getAttributeName (2), "rev");
    EXPECT_EQ (xml->getAttributeValue (2), "1");
}

TEST_F (QuilvernTest, OlderPresetsGetFreeRunningOscillatorsAndDefaultNoteRates)
{
    const float noteDefault1 = plugin.getDefaultsPreset().getValue (noteRate1);
    const float noteDefault2 = plugin.getDefaultsPreset().getValue (noteRate2);
    ASSERT_EQ (noteDefault1, 0.5f);

    struct Case
    {
        const char* what;
        const char* attributes;
        const char* params;
        std::array<float, 4> expected; // note rate 1, sync 1, note rate 2, sync 2
        bool read;
    };

    const Case cases[] = {
        { "no rev", "application=\"Quilvern\"", "", { noteDefault1, 0.0f, noteDefault2, 0.0f }, true },
        { "rev 0", "application=\"Quilvern\" rev=\"0\"", "", { noteDefault1, 0.0f, noteDefault2, 0.0f }, true },
        { "rev in capitals", "application=\"Quilvern\" REV=\"0\"", "", { noteDefault1, 0.0f, noteDefault2, 0.0f }, true },
        { "rev 1 keeps what is absent", "application=\"Quilvern\" rev=\"1\"", "", { 0.9f, 0.9f, 0.9f, 0.9f }, true },
        { "rev 2 read unchanged", "application=\"Quilvern\" rev=\"2\"", "", { 0.9f, 0.9f, 0.9f, 0.9f }, true },
        { "no rev but its own sync", "application=\"Quilvern\"", "<param name=\"LFO 1 Sync\" value=\"1\"/>",
          { noteDefault1, 1.0f, noteDefault2, 0.0f }, true },
        { "another plug-in", "application=\"Other\"", "", { 0.9f, 0.9f, 0.9f, 0.9f }, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        Preset preset ("before");
        preset.values.fill (0.9f);
        const auto xml = juce::parseXML (juce::String ("<Preset ") + c.attributes + " name=\"after\">" + c.params + "</Preset>");
        ASSERT_NE (xml, nullptr);

        plugin.readPresetXml (*xml, preset);

        EXPECT_EQ (preset.name, c.read ? "after" : "before");
        EXPECT_EQ ((std::array<float, 4> { preset.getValue (noteRate1), preset.getValue (sync1),
                                           preset.getValue (noteRate2), preset.getValue (sync2) }),
                   c.expected);
        EXPECT_EQ (preset.getValue (1), 0.9f) << "other values untouched";
    }
}

TEST (QuilvernFactory, StartsWithTheFactoryBankAndAnEditor)
{
    auto plugin = createQuilvern (juce::File());
    EXPECT_NE (plugin->getEditorComponent(), nullptr);
    EXPECT_EQ (plugin->getGroupSize (0), 37);
    EXPECT_EQ (plugin->getParameterName (0), "Stages Number");
    EXPECT_EQ (plugin->getPresetChanger(), plugin->getCore());
    EXPECT_FLOAT_EQ (plugin->getParameter (1), plugin->getPreset (0)->getValue (1));
}

TEST_F (QuilvernTest, SyncChangesFromTheAudioThreadReachTheHostDisplayOnTheMessageThread)
{
    // The VST3 wrapper's answer to a display change allocates, so it must
    // not run on the audio thread.
    DisplayChanges host;
    plugin.addListener (&host);

    std::thread audio ([this] { plugin.getParameterManager().setNormalizedValue (sync1, 1.0f); });
    audio.join();
    EXPECT_EQ (host.changes, 0);

    ASSERT_TRUE (MessagePump::runUntil ([&] { return host.changes > 0; }));
    MessagePump::run();
    EXPECT_EQ (host.changes, 1);
    EXPECT_TRUE (host.onMessageThread);
    EXPECT_TRUE (host.last.parameterInfoChanged);
    EXPECT_FALSE (host.last.latencyChanged);
    plugin.removeListener (&host);
}
