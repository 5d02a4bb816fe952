#include <gmock/gmock.h>

#include "framework/BoolParameter.h"
#include "framework/EmbeddedResources.h"
#include "framework/EnumParameter.h"
#include "framework/FloatParameter.h"
#include "framework/NoteParameter.h"
#include "framework/ParameterManager.h"
#include "framework/StringParameter.h"
#include "support/MessagePump.h"

namespace
{
std::unique_ptr<juce::XmlElement> parse (const char* text)
{
    auto xml = juce::parseXML (juce::String (text));
    EXPECT_NE (xml, nullptr);
    return xml;
}

void load (ParameterManager& manager, const char* text)
{
    manager.loadFromXml (*parse (text));
}

struct Counter : Parameter::Listener
{
    int calls = 0;
    void parameterChanged (Parameter*) override { ++calls; }
};
} // namespace

TEST (ParameterManager, LoadsTheProductsSixteenParametersFromTheEmbeddedDescription)
{
    const char* names[] = { "Stages Number", "Feedback", "Stereo Phase", "LFO 1 Rate", "LFO 1 Depth",
                            "LFO 1 Offset", "LFO 1 Wave", "LFO 2 Rate", "LFO 2 Depth", "LFO 2 Wave", "FX",
                            "Output Volume", "LFO 1 Note Rate", "LFO 1 Sync", "LFO 2 Note Rate", "LFO 2 Sync" };
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");

    ASSERT_EQ (manager.getNumParameters(), 16);

    for (int i = 0; i < 16; ++i)
    {
        SCOPED_TRACE (i);
        auto* p = dynamic_cast<FloatParameter*> (manager.getParameterAt (i));
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getIndex(), i);
        EXPECT_EQ (p->getName(), names[i]);
        EXPECT_EQ (manager.findParameterByName (names[i]), p);
        EXPECT_TRUE (p->isAutomatable());
        EXPECT_EQ (p->getMinimum(), 0.0f);
        EXPECT_EQ (p->getMaximum(), 1.0f);
        EXPECT_EQ (p->getValue(), (i == 13 || i == 15) ? 0.0f : 0.5f);
    }

    EXPECT_EQ (EmbeddedResources::loadResourceText ("parameters.xml").contains ("application=\"Quilvern\""), true);
}

TEST (ParameterManager, MissingOrUnparsableDescriptionsChangeNothing)
{
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");
    manager.loadFromResource ("missing.xml");
    manager.loadFromResource ("parameters");
    EXPECT_EQ (manager.getNumParameters(), 16);
}

TEST (ParameterManager, LoaderSkipsIncompleteEntriesAndDropsDuplicates)
{
    ParameterManager manager;
    load (manager, R"(<pluginparameters>
        <param name="no index" value="0.5"/>
        <param index="1" name="" />
        <param index="2" name="capital type" type="Float"/>
        <param index="3" name="unknown type" type="double"/>
        <other index="4" name="not a param"/>
        <PARAM Index="5" NAME="first" Value="0.25" AUTO=" yes"/>
        <param index="5" name="same index"/>
        <param index="6" name="first" value="0.75"/>
        <param index="7" name="second" auto="false"/>
    </pluginparameters>)");

    ASSERT_EQ (manager.getNumParameters(), 2);
    EXPECT_EQ (manager.getName (5), "first");
    EXPECT_EQ (manager.getValue (5), 0.25f);
    EXPECT_TRUE (manager.getParameter (5)->isAutomatable());
    EXPECT_EQ (manager.getName (7), "second");
    EXPECT_FALSE (manager.getParameter (7)->isAutomatable());
    EXPECT_EQ (manager.getParameter (6), nullptr);
}

TEST (ParameterManager, LoaderBuildsEveryKind)
{
    ParameterManager manager;
    load (manager, R"(<PluginParameters>
        <param index="0" name="float" min="-1" max="3" value="9"/>
        <param index="1" name="float nan" value="nan" min="0.5" max="1e999"/>
        <param index="2" name="int" type="int" min="2" max="8" value="5.9"/>
        <param index="3" name="string" type="string" value="hello"/>
        <param index="4" name="bool" type="bool" value="yes"/>
        <param index="5" name="state" type="state" value="on"/>
        <param index="6" name="enum" type="enum" enum="a;b;c;" value="b"/>
        <param index="7" name="note" type="note" value="C#4"/>
        <param index="8" name="number is no note" type="note" value="60"/>
    </PluginParameters>)");

    ASSERT_EQ (manager.getNumParameters(), 9);
    EXPECT_EQ (manager.getValue (0), 3.0f);
    EXPECT_EQ (manager.getValue (1), 0.5f);
    EXPECT_EQ (dynamic_cast<FloatParameter*> (manager.getParameter (1))->getMaximum(), std::numeric_limits<float>::max());
    EXPECT_EQ (manager.getValue (2), 5.0f);
    EXPECT_EQ (manager.getText (3), "hello");
    EXPECT_EQ (manager.getText (4), "true");
    EXPECT_EQ (manager.getText (5), "on");
    EXPECT_EQ (manager.getText (6), "b");
    EXPECT_EQ (dynamic_cast<EnumParameter*> (manager.getParameter (6))->getItems().size(), 3);
    EXPECT_EQ (manager.getText (7), "C#4");
    EXPECT_EQ (manager.getValue (8), 0.0f);
}

TEST (ParameterManager, LoadingAlwaysClearsFirst)
{
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");
    load (manager, R"(<EventsMap><param index="1" name="x"/></EventsMap>)");
    EXPECT_EQ (manager.getNumParameters(), 0);
}

TEST (ParameterManager, AddParameterRefusesTakenIndexesAndNames)
{
    ParameterManager manager;
    auto* first = new FloatParameter (1, "one", 0.0f, 1.0f, 0.0f);

    EXPECT_TRUE (manager.addParameter (first));
    EXPECT_FALSE (manager.addParameter (first));
    EXPECT_FALSE (manager.addParameter (new IntParameter (1, "other", 0, 1, 0)));
    EXPECT_FALSE (manager.addParameter (new IntParameter (2, "one", 0, 1, 0)));
    EXPECT_FALSE (manager.addParameter (nullptr));
    EXPECT_TRUE (manager.addParameter (new StringParameter (110001, "Current Preset Name")));

    EXPECT_EQ (manager.getNumParameters(), 2);
    EXPECT_EQ (manager.getParameter (1), first);
    EXPECT_EQ (manager.findParameterByName ("ONE"), nullptr);
}

TEST (ParameterManager, UnknownIndexesGiveNothingAndChangeNothing)
{
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");
    Counter counter;
    manager.addListener (99, &counter);
    manager.setNormalizedValue (99, 1.0f);
    manager.setIntValue (-1, 1);
    manager.setText (16, "1");

    EXPECT_EQ (manager.getParameter (99), nullptr);
    EXPECT_EQ (manager.getValue (99), 0.0f);
    EXPECT_EQ (manager.getNormalizedValue (99), 0.0f);
    EXPECT_EQ (manager.getText (99), "");
    EXPECT_EQ (manager.getName (99), "");
    EXPECT_EQ (manager.getParameterAt (16), nullptr);
}

TEST (ParameterManager, SettersNotifyAndNotifyAllAnnouncesEveryValueOnce)
{
    ParameterManager manager;
    manager.loadFromResource ("parameters.xml");
    Counter sync, async;
    manager.addListenerToAll (&sync);
    manager.addAsyncListenerToAll (&async);

    manager.setNormalizedValue (3, 0.75f);
    manager.setText (4, "0.1");
    manager.setIntValue (5, 1);
    EXPECT_EQ (sync.calls, 3);
    EXPECT_EQ (manager.getText (4), "0.100000001");

    manager.notifyAll();
    EXPECT_EQ (sync.calls, 3 + 16);
    MessagePump::run();
    EXPECT_EQ (async.calls, 16);
    EXPECT_EQ (manager.getNormalizedValue (3), 0.75f);

    manager.removeAsyncListenerFromAll (&async);
    manager.setNormalizedValue (3, 0.0f);
    MessagePump::run();
    EXPECT_EQ (async.calls, 16);
}
