// What earlier versions of the product wrote: extensions, element names and
// project states.
#include <gmock/gmock.h>

#include "engine/Quilvern.h"
#include "engine/QuilvernCore.h"

namespace
{
constexpr int feedback = 1;

struct StartedQuilvern : Quilvern
{
    StartedQuilvern() { initialise(); }
};

std::unique_ptr<juce::XmlElement> xml (const juce::String& text)
{
    auto element = juce::parseXML (text);
    EXPECT_NE (element, nullptr) << text;
    return element;
}

// Six older presets in one older group; preset i has the feedback i / 10.
juce::String olderBank (const juce::String& name)
{
    juce::String text = "<QuilvernPresetBank name=\"" + name + "\"><QuilvernPresetGroup name=\"Old\">";

    for (int i = 0; i < 6; ++i)
        text << "<QuilvernPreset name=\"Old " << i << "\"><param name=\"Feedback\" value=\"" << (i / 10.0) << "\"/>"
             << "</QuilvernPreset>";

    return text + "</QuilvernPresetGroup></QuilvernPresetBank>";
}
} // namespace

TEST (OlderFormats, ExtensionsJoinTheOpenPatternsOnly)
{
    StartedQuilvern plugin;
    EXPECT_EQ (plugin.getPresetOpenPattern(), "*.qvprs; *.qvp");
    EXPECT_EQ (plugin.getBankOpenPattern(), "*.qvprsb; *.qvb");
    EXPECT_EQ (plugin.getMidiMapOpenPattern(), "*.qvccmap; *.qvc");
    EXPECT_EQ (plugin.getPresetSavePattern(), "*.qvprs");
    EXPECT_EQ (plugin.getOldBankExtension (1), "");
}

TEST (OlderFormats, OlderElementNamesAcceptAnyApplication)
{
    StartedQuilvern plugin;
    struct Case { const char* text; bool preset, group, bank, state; };
    const Case cases[] = {
        { "<QuilvernPreset application=\"Other\"/>", true, false, false, false },
        { "<quilvernpreset/>", true, false, false, false },
        { "<Preset application=\"Other\"/>", false, false, false, false },
        { "<Preset application=\"Quilvern\"/>", true, false, false, false },
        { "<QuilvernPresetGroup/>", false, true, false, false },
        { "<QUILVERNPRESETBANK/>", false, false, true, false },
        { "<QuilvernPluginState application=\"Other\"/>", false, false, false, true },
        { "<PluginState application=\"Other\"/>", false, false, false, false },
        { "<OtherPreset/>", false, false, false, false },
    };

    for (const auto& c : cases)
    {
        const auto element = xml (c.text);
        EXPECT_EQ (plugin.isPresetXml (*element), c.preset) << c.text;
        EXPECT_EQ (plugin.isPresetGroupXml (*element), c.group) << c.text;
        EXPECT_EQ (plugin.isPresetBankXml (*element), c.bank) << c.text;
        EXPECT_EQ (plugin.isStateXml (*element), c.state) << c.text;
    }
}

TEST (OlderFormats, OlderStateLoadsTheBankAndMapAndAppliesItsPreset)
{
    StartedQuilvern plugin;
    plugin.getParameterManager().setNormalizedValue (feedback, 0.9f);

    juce::MemoryBlock chunk;
    juce::AudioProcessor::copyXmlToBinary (*xml ("<QuilvernPluginState currentPreset=\"5\"><UniqueData/>"
                                                 "<ParametersState><param name=\"Feedback\" value=\"0.9\"/></ParametersState>"
                                                 + olderBank ("Older") +
                                                 "<MidiControlMap name=\"Quilvern\"><assign CC=\"3\" param=\"FX\"/>"
                                                 "</MidiControlMap></QuilvernPluginState>"),
                                           chunk);
    plugin.setStateInformation (chunk.getData(), (int) chunk.getSize());

    EXPECT_EQ (plugin.getBankName(), "Older");
    EXPECT_EQ (plugin.getCurrentPreset(), 5);
    EXPECT_EQ (plugin.getParameterManager().getText (BasePluginOldStyle::currentPresetNameIndex), "Old 5");
    EXPECT_FLOAT_EQ (plugin.getParameter (feedback), 0.5f) << "the preset is applied, ParametersState is not read";
    EXPECT_EQ (plugin.getMidiControl().getAssignment (3), plugin.getParameterManager().findParameterByName ("FX"));
    EXPECT_EQ (plugin.getPreset (5)->getValue (QuilvernCore::lfo1Sync), 0.0f) << "older presets run free";
}

TEST (OlderFormats, OlderStateWithAnIndexOutsideTheBankKeepsTheCurrentPreset)
{
    StartedQuilvern plugin;
    plugin.changeToPreset (2);
    const float stored = plugin.getPreset (2)->getValue (feedback);
    plugin.getParameterManager().setNormalizedValue (feedback, 0.95f);

    juce::MemoryBlock chunk;
    juce::AudioProcessor::copyXmlToBinary (*xml ("<QuilvernPluginState currentPreset=\"200\"/>"), chunk);
    plugin.setStateInformation (chunk.getData(), (int) chunk.getSize());

    EXPECT_EQ (plugin.getCurrentPreset(), 2);
    EXPECT_EQ (plugin.getParameter (feedback), stored);
}

TEST (OlderFormats, OlderBankFileFillsTheBank)
{
    const auto file = juce::File::createTempFile (".qvb");
    ASSERT_TRUE (file.replaceWithText (olderBank ("From file")));

    StartedQuilvern plugin;
    plugin.loadBankFile (file);
    file.deleteFile();

    EXPECT_EQ (plugin.getBankName(), "From file");
    EXPECT_EQ (plugin.getNumGroups(), 2);
    EXPECT_EQ (plugin.getGroupName (0), "Old");
    EXPECT_EQ (plugin.getGroupSize (0), 6);
    EXPECT_EQ (plugin.getPresetName (3), "Old 3");
    EXPECT_FLOAT_EQ (plugin.getPreset (3)->getValue (feedback), 0.3f);
}
