// The documents of the host's bank and program chunks, through the bytes a
// host stores.
#include <gmock/gmock.h>

#include "engine/Quilvern.h"

namespace
{
constexpr int feedback = 1;
constexpr int fx = 10;

// An initialised product with no settings file (the library's folder is
// never looked up).
struct StartedQuilvern : Quilvern
{
    StartedQuilvern() { initialise(); }

    float live (int index) { return getParameterManager().getNormalizedValue (index); }
    juce::String shownName() { return getParameterManager().getText (currentPresetNameIndex); }
    juce::String bankText() { return createBankXml()->toString(); }

    juce::MemoryBlock bankChunk()
    {
        juce::MemoryBlock chunk;
        getStateInformation (chunk);
        return chunk;
    }

    juce::MemoryBlock programChunk()
    {
        juce::MemoryBlock chunk;
        getCurrentProgramStateInformation (chunk);
        return chunk;
    }

    void restore (const juce::MemoryBlock& chunk) { setStateInformation (chunk.getData(), (int) chunk.getSize()); }
    void restoreProgram (const juce::MemoryBlock& chunk) { setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize()); }

    // A chunk as a host would hand back one holding this text.
    void restoreText (const juce::String& xml) { restore (wrap (xml)); }

    static juce::MemoryBlock wrap (const juce::String& xml)
    {
        juce::MemoryBlock chunk;
        copyXmlToBinary (*juce::parseXML (xml), chunk);
        return chunk;
    }
};

std::unique_ptr<juce::XmlElement> unwrap (const juce::MemoryBlock& chunk)
{
    EXPECT_EQ (juce::String ((const char*) chunk.getData(), 4), "VC2!");
    return juce::parseXML (juce::String::fromUTF8 ((const char*) chunk.getData() + 8, (int) chunk.getSize() - 10));
}

juce::StringArray childTags (const juce::XmlElement& element)
{
    juce::StringArray tags;

    for (auto* child : element.getChildIterator())
        tags.add (child->getTagName());

    return tags;
}

juce::String state (const juce::String& application, const juce::String& children)
{
    return "<PluginState application=\"" + application + "\">" + children + "</PluginState>";
}
} // namespace

TEST (PluginState, BankChunkRestoresTheSavedValuesTheBankAndTheMap)
{
    StartedQuilvern saved;
    saved.changeToPreset (3);
    saved.getParameterManager().setNormalizedValue (feedback, 0.748f); // an edit not stored
    saved.getParameterManager().setNormalizedValue (fx, 0.1f);
    saved.renameGroup (0, "Renamed");
    saved.getMidiControl().assign (5, saved.getParameterManager().getParameter (2), false);
    const float storedFeedback = saved.getPreset (3)->getValue (feedback);
    ASSERT_NE (storedFeedback, 0.748f);

    const auto chunk = saved.bankChunk();
    const auto xml = unwrap (chunk);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "PluginState");
    EXPECT_EQ (xml->getStringAttribute ("application"), "Quilvern");
    EXPECT_EQ (childTags (*xml), juce::StringArray ({ "UniqueData", "ParametersState", "PresetsState", "MidiControlMap" }));

    const auto* parameters = xml->getChildByName ("ParametersState");
    ASSERT_EQ (parameters->getNumChildElements(), 16);
    EXPECT_EQ (parameters->getChildElement (feedback)->getStringAttribute ("name"), "Feedback");
    EXPECT_EQ (parameters->getChildElement (feedback)->getStringAttribute ("value"), "0.748000026");
    EXPECT_EQ (parameters->getChildElement (fx)->getStringAttribute ("value"), "0.100000001");
    EXPECT_EQ (xml->getChildByName ("PresetsState")->getStringAttribute ("currentPreset"), "3");

    StartedQuilvern restored;
    restored.getParameterManager().setNormalizedValue (feedback, 0.0f);
    restored.restore (chunk);

    for (int id = 0; id < 16; ++id)
        EXPECT_EQ (restored.live (id), saved.live (id)) << id;

    EXPECT_EQ (restored.getCurrentPreset(), 3);
    EXPECT_EQ (restored.shownName(), saved.getPresetName (3));
    EXPECT_EQ (restored.getPreset (3)->getValue (feedback), storedFeedback) << "the stored preset stays as stored";
    EXPECT_EQ (restored.bankText(), saved.bankText());
    EXPECT_EQ (restored.getMidiControl().getAssignment (5), restored.getParameterManager().getParameter (2));
    EXPECT_EQ (restored.bankChunk(), chunk);
}

TEST (PluginState, RootsAndParameterNames)
{
    struct Case { const char* what; juce::String xml; float expected; };
    const juce::String quarter = "<ParametersState><param name=\"Feedback\" value=\"0.25\"/></ParametersState>";
    const Case cases[] = {
        { "own root", state ("Quilvern", quarter), 0.25f },
        { "case of tag and application ignored",
          "<pluginstate APPLICATION=\"QUILVERN\">" + quarter + "</pluginstate>", 0.25f },
        { "another plug-in", state ("Other", quarter), 0.5f },
        { "no application", "<PluginState>" + quarter + "</PluginState>", 0.5f },
        { "name of another case skipped",
          state ("Quilvern", "<ParametersState><param name=\"feedback\" value=\"0.25\"/></ParametersState>"), 0.5f },
        { "missing value reads 0",
          state ("Quilvern", "<ParametersState><param name=\"Feedback\"/></ParametersState>"), 0.0f },
        { "values beyond the range are limited",
          state ("Quilvern", "<ParametersState><param name=\"Feedback\" value=\"1e300\"/></ParametersState>"), 1.0f },
        { "unknown elements ignored",
          state ("Quilvern", "<Other/>" + quarter + "<NotPresetableParams><param name=\"Feedback\" value=\"0.9\"/>"
                                                    "</NotPresetableParams>"), 0.25f },
    };

    for (const auto& c : cases)
    {
        StartedQuilvern plugin;
        plugin.getParameterManager().setNormalizedValue (feedback, 0.5f);
        plugin.restoreText (c.xml);
        EXPECT_EQ (plugin.live (feedback), c.expected) << c.what;
    }
}

TEST (PluginState, CurrentPresetIsSelectedNotApplied)
{
    struct Case { const char* currentPreset; int expected; };
    const Case cases[] = { { "7abc", 7 }, { " 12", 12 }, { "-1", 2 }, { "128", 2 }, { "99999999999", 2 },
                           { "x", 0 }, { nullptr, 0 } };

    for (const auto& c : cases)
    {
        StartedQuilvern plugin;
        plugin.selectPreset (2, false);
        const float before = plugin.live (feedback);
        const juce::String attribute = c.currentPreset != nullptr ? " currentPreset=\"" + juce::String (c.currentPreset) + "\"" : "";
        plugin.restoreText (state ("Quilvern", "<PresetsState" + attribute + "/>"));

        EXPECT_EQ (plugin.getCurrentPreset(), c.expected) << c.currentPreset;
        EXPECT_EQ (plugin.shownName(), plugin.getPresetName (c.expected)) << c.currentPreset;
        EXPECT_EQ (plugin.live (feedback), before) << c.currentPreset;
    }
}

TEST (PluginState, EveryBankInPresetsStateReplacesTheOneBefore)
{
    auto bank = [] (const juce::String& name, const juce::String& preset)
    {
        return "<PresetBank name=\"" + name + "\"><PresetGroup name=\"G\"><Preset application=\"Quilvern\" name=\""
               + preset + "\"/></PresetGroup></PresetBank>";
    };

    StartedQuilvern plugin;
    plugin.restoreText (state ("Quilvern", "<PresetsState currentPreset=\"0\">" + bank ("First", "One")
                                               + bank ("Second", "Two") + "</PresetsState>"));

    EXPECT_EQ (plugin.getBankName(), "Second");
    EXPECT_EQ (plugin.getPresetName (0), "Two");
    EXPECT_EQ (plugin.shownName(), "Two");
    EXPECT_EQ (plugin.getGroupName (0), "G");

    // The current preset stays where it was, showing the new bank's name there.
    plugin.restoreText (state ("Quilvern", "<PresetsState currentPreset=\"200\">" + bank ("Third", "Three")
                                               + "</PresetsState>"));
    EXPECT_EQ (plugin.getCurrentPreset(), 0);
    EXPECT_EQ (plugin.shownName(), "Three");
}

TEST (PluginState, ProgramChunkCarriesTheStoredPresetAndRevertsUnsavedEdits)
{
    StartedQuilvern plugin;
    plugin.changeToPreset (4);
    const float stored = plugin.getPreset (4)->getValue (feedback);
    plugin.getParameterManager().setNormalizedValue (feedback, 0.123f);
    const auto bank = plugin.bankText();

    const auto chunk = plugin.programChunk();
    const auto xml = unwrap (chunk);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Preset");
    EXPECT_EQ (xml->getStringAttribute ("name"), plugin.getPresetName (4));
    EXPECT_EQ (xml->getStringAttribute ("rev"), "1");

    plugin.restoreProgram (chunk);
    EXPECT_EQ (plugin.bankText(), bank);
    EXPECT_EQ (plugin.live (feedback), stored);

    // Another plug-in's preset is not read, but the stored preset is applied again.
    plugin.getParameterManager().setNormalizedValue (feedback, 0.123f);
    plugin.restoreProgram (StartedQuilvern::wrap ("<Preset application=\"Other\" name=\"X\">"
                                                  "<param name=\"Feedback\" value=\"0.9\"/></Preset>"));
    EXPECT_EQ (plugin.bankText(), bank);
    EXPECT_EQ (plugin.live (feedback), stored);

    // A preset of this plug-in goes into the current slot.
    plugin.restoreProgram (StartedQuilvern::wrap ("<Preset application=\"Quilvern\" name=\"Mine\" rev=\"1\">"
                                                  "<param name=\"Feedback\" value=\"0.9\"/></Preset>"));
    EXPECT_EQ (plugin.getPresetName (4), "Mine");
    EXPECT_EQ (plugin.shownName(), "Mine");
    EXPECT_FLOAT_EQ (plugin.live (feedback), 0.9f);
}

TEST (PluginState, NotPresetableParametersAreNamedAndReadLikeTheState)
{
    StartedQuilvern plugin;
    const auto none = plugin.createNotPresetableParamsXml();
    EXPECT_EQ (none->getTagName(), "NotPresetableParams");
    EXPECT_EQ (none->getNumChildElements(), 0) << "the product has none";

    for (const char* tag : { "NotPresetableParams", "notpresetparams" })
    {
        auto xml = juce::parseXML (juce::String ("<") + tag + "><param name=\"FX\" value=\"0.75\"/></" + tag + ">");
        EXPECT_TRUE (plugin.isNotPresetableParamsXml (*xml)) << tag;
        plugin.setNotPresetableParamsFromXml (*xml);
        EXPECT_EQ (plugin.live (fx), 0.75f) << tag;
        plugin.getParameterManager().setNormalizedValue (fx, 0.0f);
    }

    EXPECT_FALSE (plugin.isNotPresetableParamsXml (juce::XmlElement ("ParametersState")));
}
