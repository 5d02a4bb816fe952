#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "tools/render/PresetChoice.h"

namespace
{
class PresetChoiceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File write (const juce::String& name, const juce::String& text)
    {
        auto file = folder.getChildFile (name);
        EXPECT_TRUE (file.replaceWithText (text));
        return file;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-preset-choice-" + juce::Uuid().toString());
};
} // namespace

TEST_F (PresetChoiceTest, ChoosesByNumberOrNameAndLoadsFiles)
{
    const auto bank = "<PresetBank name=\"Mine\"><PresetGroup name=\"G\">"
                      "<Preset application=\"Quilvern\" name=\"First\" rev=\"1\"/>"
                      "<Preset application=\"Quilvern\" name=\"Wide Sweep\" rev=\"1\"><param name=\"Feedback\" value=\"0.125\"/></Preset>"
                      "</PresetGroup></PresetBank>";
    const auto presetFile = write ("p.qvprs", "<Preset application=\"Quilvern\" name=\"From file\" rev=\"1\">"
                                              "<param name=\"Feedback\" value=\"0.75\"/></Preset>");

    struct Case
    {
        const char* what;
        std::optional<juce::String> preset;
        bool useBank, usePresetFile;
        const char* description;
        float feedback; // negative: the factory preset's own value
    };

    const Case cases[] = {
        { "number", juce::String ("3"), false, false, "3 \"", -1.0f },
        { "name, any case", juce::String ("wide sweep"), true, false, "1 \"Wide Sweep\" from b.qvprsb", 0.125f },
        { "preset file", {}, false, true, "\"From file\" from p.qvprs", 0.75f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        RenderOptions options;
        options.preset = c.preset;

        if (c.useBank)
            options.bankFile = write ("b.qvprsb", bank);

        if (c.usePresetFile)
            options.presetFile = presetFile;

        auto plugin = createQuilvern (juce::File());
        juce::String description;
        ASSERT_TRUE (PresetChoice::apply (options, *plugin, description).wasOk());
        EXPECT_TRUE (description.startsWith (c.description)) << description;

        const float expected = c.feedback >= 0.0f ? c.feedback : plugin->getPreset (3)->getValue (1);
        EXPECT_FLOAT_EQ (plugin->getParameter (1), expected);
    }
}

TEST_F (PresetChoiceTest, RefusesUnknownPresetsAndUnusableFiles)
{
    struct Case { const char* what; RenderOptions options; };
    std::vector<Case> cases (5);
    cases[0] = { "unknown name", {} };
    cases[0].options.preset = juce::String ("No Such Preset");
    cases[1] = { "number beyond the bank", {} };
    cases[1].options.preset = juce::String ("128");
    cases[2] = { "missing bank", {} };
    cases[2].options.bankFile = folder.getChildFile ("missing.qvprsb");
    cases[3] = { "bank file holding a preset", {} };
    cases[3].options.bankFile = write ("preset.qvprsb", "<Preset application=\"Quilvern\"/>");
    cases[4] = { "preset of another plug-in", {} };
    cases[4].options.presetFile = write ("other.qvprs", "<Preset application=\"Other\"/>");

    for (const auto& c : cases)
    {
        auto plugin = createQuilvern (juce::File());
        juce::String description;
        const auto result = PresetChoice::apply (c.options, *plugin, description);
        EXPECT_TRUE (result.failed()) << c.what;
        EXPECT_FALSE (result.getErrorMessage().isEmpty()) << c.what;
    }
}

TEST_F (PresetChoiceTest, ListsTheBankOneLineAPresetWithItsGroup)
{
    auto plugin = createQuilvern (juce::File());
    const auto factory = juce::StringArray::fromLines (PresetChoice::listBank (*plugin).trimEnd());

    ASSERT_EQ (factory.size(), 128);
    EXPECT_EQ (factory[0], "  0  Free run      Classic Swirl");
    EXPECT_EQ (factory[127].substring (0, 5), "127  ");

    RenderOptions options;
    options.bankFile = write ("b.qvprsb", "<PresetBank name=\"Mine\"><PresetGroup name=\"Pads\">"
                                          "<Preset application=\"Quilvern\" name=\"Soft\" rev=\"1\"/></PresetGroup>"
                                          "<PresetGroup name=\"Leads\"><Preset application=\"Quilvern\" name=\"Edge\" rev=\"1\"/>"
                                          "</PresetGroup></PresetBank>");
    juce::String description;
    ASSERT_TRUE (PresetChoice::apply (options, *plugin, description).wasOk());

    const auto own = juce::StringArray::fromLines (PresetChoice::listBank (*plugin));
    EXPECT_EQ (own[0], "  0  Pads      Soft");
    EXPECT_EQ (own[1], "  1  Leads     Edge");
    EXPECT_TRUE (own[2].startsWith ("  2  Not used")) << own[2];
}

TEST_F (PresetChoiceTest, AnUnknownNameNamesTheClosestPresets)
{
    struct Case
    {
        const char* typed;
        const char* hint; // empty: no preset is close
    };

    const Case cases[] = {
        { "Clasic Swirl", "closest: \"Classic Swirl\" (0)" },
        { "rotary", "closest: \"Rotary Fast\" (14), \"Rotary Slow\" (15)" },
        { "Xylophone", "" },
    };

    for (const auto& c : cases)
    {
        RenderOptions options;
        options.preset = juce::String (c.typed);
        auto plugin = createQuilvern (juce::File());
        juce::String description;
        const auto message = PresetChoice::apply (options, *plugin, description).getErrorMessage();

        EXPECT_TRUE (message.startsWith ("unknown preset: " + juce::String (c.typed))) << message;
        EXPECT_TRUE (message.contains ("--list-presets")) << message;

        if (*c.hint != 0)
            EXPECT_TRUE (message.contains (c.hint)) << message;
        else
            EXPECT_FALSE (message.contains ("closest")) << message;
    }
}
