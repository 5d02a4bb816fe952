#include <gmock/gmock.h>

#include "framework/FloatParameter.h"
#include "framework/MidiControl.h"
#include "support/MessagePump.h"

namespace
{
// A manager with automatable parameters "A" (index 0) to "E" (4) and the
// non-automatable "Manual" (5), and the MIDI control over it.
struct MidiFixture : ::testing::Test
{
    MidiFixture()
    {
        for (int i = 0; i < 6; ++i)
        {
            auto* p = new FloatParameter (i, i < 5 ? juce::String::charToString ((juce::juce_wchar) ('A' + i)) : "Manual",
                                          0.0f, 1.0f, 0.0f);
            p->setAutomatable (i < 5);
            parameters.addParameter (p);
        }

        midi.setOwnerName ("Quilvern");
    }

    Parameter* param (const char* name) { return parameters.findParameterByName (name); }

    void moveController (int controller, int value = 64)
    {
        midi.handleMidiMessage (juce::MidiMessage::controllerEvent (1, controller, value));
    }

    void loadMap (const char* text) { midi.loadFromXml (*juce::parseXML (juce::String (text))); }

    ParameterManager parameters;
    MidiControl midi { parameters };
};

struct Notifications : MidiControl::Listener
{
    void mapChanged (MidiControl*) override { calls.push_back ("map"); }
    void learnStateChanged (MidiControl*) override { calls.push_back ("learn"); }
    void controllerReceived (MidiControl*) override { calls.push_back ("controller"); }
    std::vector<juce::String> calls;
};

using Calls = std::vector<juce::String>;
} // namespace

TEST_F (MidiFixture, ControlChangesOnAnyChannelMoveTheirParameterScaledBy1Over127)
{
    midi.assign (7, param ("A"), true);

    midi.handleMidiMessage (juce::MidiMessage::controllerEvent (16, 7, 127));
    EXPECT_EQ (param ("A")->getValue(), 1.0f);
    moveController (7, 64);
    EXPECT_NEAR (param ("A")->getValue(), 0.503937f, 1e-6f);
    moveController (7, 0);
    EXPECT_EQ (param ("A")->getValue(), 0.0f);
    EXPECT_EQ (midi.getLastControlledParameter(), param ("A"));

    moveController (8, 127);
    EXPECT_EQ (midi.getLastControlledParameter(), param ("A"));
}

TEST_F (MidiFixture, OtherMessagesChangeNothingAlsoInLearnMode)
{
    midi.assign (60, param ("A"), true);
    midi.setLearnMode (true);

    for (const auto& message : { juce::MidiMessage::noteOn (1, 60, 1.0f), juce::MidiMessage::pitchWheel (1, 16383),
                                 juce::MidiMessage::programChange (1, 60), juce::MidiMessage::channelPressureChange (1, 60) })
        midi.handleMidiMessage (message);

    const juce::uint8 truncated[] = { 0xb0, 60 };
    midi.handleMidiMessage (truncated, 2);
    midi.handleMidiMessage (nullptr, 3);

    EXPECT_EQ (param ("A")->getValue(), 0.0f);
    EXPECT_EQ (midi.getLearnController(), -1);
    EXPECT_EQ (midi.getLearnParameter(), nullptr);
}

TEST_F (MidiFixture, LearnPairsAParameterWithAFreeControllerInEitherOrder)
{
    midi.setLearnMode (true);

    midi.setLearnParameter (param ("A"));
    moveController (10);
    EXPECT_EQ (midi.getAssignment (10), param ("A"));

    // A new free controller shows as free; picking A again moves A to it.
    moveController (11);
    EXPECT_EQ (midi.getLearnController(), 11);
    EXPECT_EQ (midi.getLearnParameter(), nullptr);
    EXPECT_EQ (midi.getAssignment (11), nullptr);
    midi.setLearnParameter (param ("A"));
    EXPECT_EQ (midi.getAssignment (11), param ("A"));
    EXPECT_EQ (midi.getAssignment (10), nullptr);

    // Controller first, then a parameter without a controller.
    midi.setLearnMode (false);
    midi.setLearnMode (true);
    moveController (20);
    midi.setLearnParameter (param ("C"));
    EXPECT_EQ (midi.getAssignment (20), param ("C"));
    EXPECT_EQ (midi.getAssignedCount(), 2);
}

TEST_F (MidiFixture, LearnShowsExistingPairsAndNeverReplacesAnOccupiedController)
{
    midi.assign (5, param ("B"), true);
    midi.assign (9, param ("D"), true);
    midi.setLearnMode (true);

    moveController (5);
    EXPECT_EQ (midi.getLearnParameter(), param ("B"));
    midi.setLearnParameter (param ("C"));
    EXPECT_EQ (midi.getAssignment (5), param ("B"));
    EXPECT_EQ (midi.getLearnController(), -1);

    midi.setLearnParameter (param ("D"));
    EXPECT_EQ (midi.getLearnController(), 9);
    moveController (5);
    EXPECT_EQ (midi.getLearnParameter(), param ("B"));
    EXPECT_EQ (midi.getAssignment (9), param ("D"));
    EXPECT_EQ (midi.getAssignedCount(), 2);
}

TEST_F (MidiFixture, LearnModeSwitchesAreToldAtOnceOtherChangesOnceOnTheMessageThread)
{
    Notifications log;
    midi.addListener (&log);

    midi.setLearnMode (true);
    midi.setLearnMode (true);
    EXPECT_EQ (log.calls, (Calls { "learn" }));
    EXPECT_TRUE (midi.isLearnMode());

    midi.setLearnParameter (param ("A"));
    moveController (3);
    moveController (3, 100);
    EXPECT_EQ (log.calls, (Calls { "learn" }));

    MessagePump::run();
    EXPECT_EQ (log.calls, (Calls { "learn", "map", "learn", "controller" }));
    midi.removeListener (&log);
}

TEST_F (MidiFixture, AssignKeepsEachParameterOnOneControllerAndRemovalResetsLearning)
{
    midi.assign (1, param ("A"), true);
    midi.assign (2, param ("A"), true);
    EXPECT_EQ (midi.getAssignment (1), nullptr);
    EXPECT_EQ (midi.getControllerOf (param ("A")), 2);
    EXPECT_EQ (midi.getAssignedCount(), 1);

    midi.assign (128, param ("B"), true);
    midi.assign (-1, param ("B"), true);
    EXPECT_EQ (midi.getControllerOf (param ("B")), -1);

    midi.setLearnMode (true);
    moveController (2);
    midi.removeAssignment (2);
    EXPECT_EQ (midi.getAssignedCount(), 0);
    EXPECT_EQ (midi.getLearnController(), -1);
    EXPECT_EQ (midi.getLearnParameter(), nullptr);

    midi.assign (4, param ("C"), true);
    midi.clearAll();
    EXPECT_EQ (midi.getAssignedCount(), 0);
}

TEST_F (MidiFixture, MapXmlRoundTripsInControllerOrder)
{
    midi.assign (64, param ("B"), true);
    midi.assign (3, param ("A"), true);
    const auto xml = midi.createMapXml();
    EXPECT_EQ (xml->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<MidiControlMap name=\"Quilvern\"><assign CC=\"3\" param=\"A\"/><assign CC=\"64\" param=\"B\"/></MidiControlMap>");

    midi.setLearnMode (true);
    midi.clearAll();
    midi.loadFromXml (*xml);
    EXPECT_FALSE (midi.isLearnMode());
    EXPECT_EQ (midi.getAssignment (3), param ("A"));
    EXPECT_EQ (midi.getAssignment (64), param ("B"));
    EXPECT_EQ (midi.getAssignedCount(), 2);
}

TEST_F (MidiFixture, MapXmlSkipsBadEntriesAndLaterEntriesWin)
{
    loadMap (R"(<midiccmap APPLICATION="quilvern">
        <assign CC="3" param="A"/>
        <assign CC="3" param="B"/>
        <ASSIGN cc="4" PARAM="B"/>
        <assign CC="5" param="Manual"/>
        <assign CC="6" param="Unknown"/>
        <assign CC="128" param="C"/>
        <assign CC="-1" param="D"/>
        <assign param="E"/>
    </midiccmap>)");

    EXPECT_EQ (midi.getAssignment (3), nullptr);
    EXPECT_EQ (midi.getAssignment (4), param ("B"));
    EXPECT_EQ (midi.getAssignment (0), param ("E"));
    EXPECT_EQ (midi.getAssignedCount(), 2);
}

TEST_F (MidiFixture, AMapOfAnotherOwnerEmptiesTheMap)
{
    midi.assign (1, param ("A"), true);
    loadMap (R"(<MidiControlMap name="Other"><assign CC="2" param="B"/></MidiControlMap>)");
    EXPECT_EQ (midi.getAssignedCount(), 0);

    midi.setOwnerName ("");
    loadMap (R"(<MidiControlMap name="Other"><assign CC="2" param="B"/></MidiControlMap>)");
    EXPECT_EQ (midi.getAssignment (2), param ("B"));

    loadMap (R"(<PluginState><assign CC="2" param="B"/></PluginState>)");
    EXPECT_EQ (midi.getAssignedCount(), 0);
}

TEST_F (MidiFixture, MapFilesRoundTripAndUnreadableFilesChangeNothing)
{
    EXPECT_EQ (MidiControl::getMapFileExtension ("QV"), ".qvccmap");

    const auto folder = juce::File::createTempFile ("maps");
    folder.createDirectory();
    const auto saved = folder.getChildFile ("map.qvccmap");

    midi.assign (9, param ("C"), true);
    midi.saveMapFile (saved);
    EXPECT_TRUE (saved.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    const auto valid = saved.loadFileAsString();
    const auto notUtf8 = folder.getChildFile ("latin1.qvccmap");
    const char latin1[] = "<MidiControlMap name=\"Quilvern\"><assign CC=\"1\" param=\"\xc4\"/></MidiControlMap>";
    notUtf8.replaceWithData (latin1, sizeof (latin1) - 1);
    const auto truncated = folder.getChildFile ("truncated.qvccmap");
    truncated.replaceWithText (valid.substring (0, valid.length() - 20));
    const auto huge = folder.getChildFile ("huge.qvccmap");
    {
        juce::FileOutputStream out (huge);
        out << "<MidiControlMap name=\"Quilvern\">";
        for (int i = 0; i < 200000; ++i)
            out << "<assign CC=\"1\" param=\"A\"/>";
        out << "</MidiControlMap>";
    }
    const auto deep = folder.getChildFile ("deep.qvccmap");
    deep.replaceWithText (juce::String::repeatedString ("<MidiControlMap>", 100000));

    for (const auto& file : { notUtf8, truncated, huge, deep, folder.getChildFile ("missing.qvccmap"), folder })
    {
        SCOPED_TRACE (file.getFileName());
        midi.loadMapFile (file);
        EXPECT_EQ (midi.getAssignedCount(), 1);
        EXPECT_EQ (midi.getAssignment (9), param ("C"));
    }

    midi.clearAll();
    midi.loadMapFile (saved);
    EXPECT_EQ (midi.getAssignment (9), param ("C"));
    folder.deleteRecursively();
}
