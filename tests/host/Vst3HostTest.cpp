// Loads the built VST3 bundle as a host does, through JUCE's VST3 hosting.
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include "support/MessagePump.h"
#include "support/TestedVst3Bundle.h"
#include "support/Vst3Instance.h"

#include <cmath>
#include <map>
#include <set>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;
constexpr int numParameters = 16;

const juce::File& bundle()
{
    static const TestedVst3Bundle tested;
    return tested.get();
}

std::unique_ptr<juce::AudioPluginInstance> loadQuilvern()
{
    return loadVst3Instance (bundle(), sampleRate, blockSize);
}

// Each parameter as a VST3 host sees it: name, the identifier its VST3 ID
// is made from, that ID (projects store it), default, steps (0 when
// continuous) and the text at the default, the same as the VST 2.4 library's.
struct ParameterRow
{
    const char* name;
    const char* identifier;
    juce::uint32 vst3Id;
    float defaultValue;
    int steps;
    const char* defaultText;
};

const ParameterRow parameterRows[numParameters] = {
    { "Stages Number", "stages_number", 1652483475, 0.5f, 4, "6" },
    { "Feedback", "feedback", 1955982213, 0.5f, 0, "50%" },
    { "Stereo Phase", "stereo_phase", 1745037940, 0.5f, 0, "90 deg" },
    { "LFO 1 Rate", "lfo_1_rate", 660595064, 0.5f, 0, "0.5Hz" },
    { "LFO 1 Depth", "lfo_1_depth", 1138280747, 0.5f, 0, "50%" },
    { "LFO 1 Offset", "lfo_1_offset", 1242510123, 0.5f, 0, "50%" },
    { "LFO 1 Wave", "lfo_1_wave", 660744081, 0.5f, 6, "Saw rising" },
    { "LFO 2 Rate", "lfo_2_rate", 689224215, 0.5f, 0, "0.5Hz" },
    { "LFO 2 Depth", "lfo_2_depth", 2025784428, 0.5f, 0, "50%" },
    { "LFO 2 Wave", "lfo_2_wave", 689373232, 0.5f, 6, "Saw rising" },
    { "FX", "fx", 3282, 0.5f, 0, "50/50% (Dry/Wet)" },
    { "Output Volume", "output_volume", 221042712, 0.5f, 0, "0.0dB" },
    { "LFO 1 Note Rate", "lfo_1_note_rate", 1037633397, 0.5f, 11, "1" },
    { "LFO 1 Sync", "lfo_1_sync", 660647731, 0.0f, 4, "Off" },
    { "LFO 2 Note Rate", "lfo_2_note_rate", 1388165686, 0.5f, 11, "1" },
    { "LFO 2 Sync", "lfo_2_sync", 689276882, 0.0f, 4, "Off" },
};

void fillWithSine (juce::AudioBuffer<float>& buffer, int blockIndex)
{
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const double t = (blockIndex * buffer.getNumSamples() + i) / sampleRate;
            buffer.setSample (channel, i, (float) (0.5 * std::sin (2.0 * juce::MathConstants<double>::pi * 440.0 * t)));
        }
}

// Plays a sine through the instance; returns the output's RMS and, through
// difference, the RMS of output minus input.
double render (juce::AudioPluginInstance& instance, int numBlocks, juce::MidiBuffer midi = {}, double* difference = nullptr)
{
    juce::AudioBuffer<float> buffer (2, blockSize), input (2, blockSize);
    double sum = 0.0, differenceSum = 0.0;

    for (int block = 0; block < numBlocks; ++block)
    {
        fillWithSine (buffer, block);
        input.makeCopyOf (buffer);
        instance.processBlock (buffer, midi);
        midi.clear();

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
            {
                const double out = buffer.getSample (channel, i);
                sum += out * out;
                differenceSum += (out - input.getSample (channel, i)) * (out - input.getSample (channel, i));
            }
    }

    if (difference != nullptr)
        *difference = std::sqrt (differenceSum / (numBlocks * blockSize * 2));

    return std::sqrt (sum / (numBlocks * blockSize * 2));
}

void setHostValue (juce::AudioPluginInstance& instance, int index, float value)
{
    auto* parameter = instance.getParameters()[index];
    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (value);
    parameter->endChangeGesture();
}

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& instance, const juce::String& name)
{
    for (auto* parameter : instance.getParameters())
        if (parameter->getName (100) == name)
            return parameter;

    return nullptr;
}

// The parameter values the plug-in itself holds, read from the state a host
// saves: the component's part starts with the plug-in's chunk ("VC2!", the
// text's length, the document).
std::map<juce::String, double> savedValues (juce::AudioPluginInstance& instance)
{
    juce::MemoryBlock state;
    instance.getStateInformation (state);
    const auto host = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    juce::MemoryBlock component;

    if (host == nullptr || host->getChildByName ("IComponent") == nullptr
        || ! component.fromBase64Encoding (host->getChildByName ("IComponent")->getAllSubText()) || component.getSize() < 8)
        return {};

    const auto length = (int) juce::ByteOrder::littleEndianInt (static_cast<const char*> (component.getData()) + 4);
    const auto chunk = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (component.getData()) + 8, length));
    std::map<juce::String, double> values;

    if (chunk != nullptr)
        if (auto* parameters = chunk->getChildByName ("ParametersState"))
            for (auto* parameter : parameters->getChildIterator())
                values[parameter->getStringAttribute ("name")] = parameter->getDoubleAttribute ("value");

    return values;
}

class Vst3HostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        instance = loadQuilvern();
        ASSERT_NE (instance, nullptr) << "no VST3 plug-in loaded from " << bundle().getFullPathName();
    }

    std::unique_ptr<juce::AudioPluginInstance> instance;
};
} // namespace

TEST_F (Vst3HostTest, ReportsTheProductIdentity)
{
    const auto description = instance->getPluginDescription();
    EXPECT_EQ (description.name, "Quilvern");
    EXPECT_EQ (description.manufacturerName, "Brannock Group Audio Software");
    EXPECT_EQ (description.version, "1.3.1");
    EXPECT_EQ (description.category, "Fx|Modulation");
    EXPECT_FALSE (description.isInstrument);
    EXPECT_EQ (description.numInputChannels, 2);
    EXPECT_EQ (description.numOutputChannels, 2);
}

TEST_F (Vst3HostTest, ParametersHaveStableIdsDefaultsStepsAndTexts)
{
    const auto& parameters = instance->getParameters();
    ASSERT_GE (parameters.size(), numParameters);
    std::set<juce::String> ids;

    for (int index = 0; index < numParameters; ++index)
    {
        const auto& row = parameterRows[index];
        const auto* parameter = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameters[index]);
        ASSERT_NE (parameter, nullptr);
        SCOPED_TRACE (row.name);

        ids.insert (parameter->getParameterID());
        EXPECT_EQ (parameter->getName (100), row.name);
        EXPECT_EQ (parameter->getParameterID(), juce::String ((juce::uint32) (juce::String (row.identifier).hashCode() & 0x7fffffff)));
        EXPECT_EQ (parameter->getParameterID(), juce::String (row.vst3Id));
        EXPECT_FLOAT_EQ (parameter->getDefaultValue(), row.defaultValue);
        EXPECT_EQ (parameter->isDiscrete(), row.steps > 0);

        if (row.steps > 0)
            EXPECT_EQ (parameter->getNumSteps(), row.steps);

        EXPECT_TRUE (parameter->isAutomatable());
        EXPECT_EQ (parameter->getText (row.defaultValue, 100), row.defaultText);
    }

    EXPECT_EQ (ids.size(), (size_t) numParameters);
}

TEST_F (Vst3HostTest, TextsOfOtherValuesReadBack)
{
    struct Row
    {
        int index;
        float value;
        const char* text;
    };

    const Row rows[] = {
        { 0, 1.0f, "8" },
        { 6, 0.2f, "Square" },
        { 10, 1.0f, "0/100% (Dry/Wet)" },
        { 11, 0.25f, "-12.0dB" },
        { 12, 0.7f, "1/4" },
        { 13, 1.0f, "Triplet" },
    };

    for (const auto& row : rows)
    {
        auto* parameter = instance->getParameters()[row.index];
        SCOPED_TRACE (parameter->getName (100));
        EXPECT_EQ (parameter->getText (row.value, 100), row.text);
        EXPECT_EQ (parameter->getText (parameter->getValueForText (row.text), 100), row.text);
    }
}

TEST_F (Vst3HostTest, ProgramsAreTheFactoryPresets)
{
    const auto bank = juce::parseXML (juce::File (QUILVERN_FACTORY_BANK));
    ASSERT_NE (bank, nullptr);
    juce::StringArray names;
    std::vector<const juce::XmlElement*> presets;

    for (auto* group : bank->getChildIterator())
        for (auto* preset : group->getChildIterator())
        {
            names.add (preset->getStringAttribute ("name"));
            presets.push_back (preset);
        }

    ASSERT_EQ (names.size(), 51);
    ASSERT_EQ (instance->getNumPrograms(), names.size());

    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ (instance->getProgramName (i), names[i]) << "program " << i;

    // Choosing a program applies that preset's values.
    constexpr int chosen = 30;
    instance->setCurrentProgram (chosen);
    const auto values = savedValues (*instance);
    ASSERT_EQ (values.size(), (size_t) numParameters);

    for (auto* value : presets[chosen]->getChildIterator())
    {
        const auto name = value->getStringAttribute ("name");
        EXPECT_NEAR (values.at (name), value->getDoubleAttribute ("value"), 1e-5) << name;
    }
}

TEST_F (Vst3HostTest, HostSetValuesChangeTheSoundAndComeBackFromTheState)
{
    constexpr int feedback = 1, outputVolume = 11;
    auto reference = loadQuilvern();
    ASSERT_NE (reference, nullptr);
    const double volumeBefore = reference->getParameters()[outputVolume]->getValue();

    // Both instances play the same; only the gain, 4 x squared, differs.
    setHostValue (*instance, outputVolume, 0.25f);
    render (*instance, 2);
    render (*reference, 2);
    EXPECT_NEAR (render (*instance, 8) / render (*reference, 8), std::pow (0.25 / volumeBefore, 2.0), 0.005);

    setHostValue (*instance, feedback, 0.75f);

    juce::MemoryBlock state;
    instance->getStateInformation (state);
    auto restored = loadQuilvern();
    ASSERT_NE (restored, nullptr);
    restored->setStateInformation (state.getData(), (int) state.getSize());

    const auto values = savedValues (*restored);
    EXPECT_NEAR (values.at ("Output Volume"), 0.25, 1e-6);
    EXPECT_NEAR (values.at ("Feedback"), 0.75, 1e-6);
    EXPECT_NEAR (restored->getParameters()[outputVolume]->getValue(), 0.25f, 1e-6);
    EXPECT_NEAR (restored->getParameters()[feedback]->getValue(), 0.75f, 1e-6);
}

TEST_F (Vst3HostTest, BypassPassesTheAudioThrough)
{
    auto* bypass = instance->getBypassParameter();
    ASSERT_NE (bypass, nullptr);
    double difference = 0.0;

    render (*instance, 4, {}, &difference);
    EXPECT_GT (difference, 0.01);

    bypass->setValueNotifyingHost (1.0f);
    render (*instance, 4, {}, &difference);
    EXPECT_LT (difference, 1e-6);
}

// A project saved on Linux opens with the same values wherever the plug-in
// runs: the state of the Linux build's VST3 as JUCE's VST3 hosting saved it,
// a program chosen and then every parameter moved from it.
TEST_F (Vst3HostTest, RestoresTheStateOfAProjectSavedOnLinux)
{
    const auto saved = juce::parseXML (juce::File (QUILVERN_TEST_DATA_DIR).getChildFile ("vst3-state-linux.xml"));
    ASSERT_NE (saved, nullptr);
    juce::MemoryBlock state;
    juce::AudioProcessor::copyXmlToBinary (*saved, state);
    instance->setStateInformation (state.getData(), (int) state.getSize());

    struct Row
    {
        int index;
        float value;
        const char* text;
    };

    const Row rows[numParameters] = {
        { 0, 1.0f, "8" },
        { 1, 0.8f, "80%" },
        { 2, 0.25f, "45 deg" },
        { 3, 0.3f, "0.11Hz" },
        { 4, 0.7f, "70%" },
        { 5, 0.35f, "35%" },
        { 6, 0.2f, "Square" },
        { 7, 0.65f, "1.52Hz" },
        { 8, 0.15f, "15%" },
        { 9, 1.0f, "Random" },
        { 10, 0.9f, "10/90% (Dry/Wet)" },
        { 11, 0.25f, "-12.0dB" },
        { 12, 0.7f, "1/4t" },
        { 13, 1.0f, "Triplet" },
        { 14, 0.3f, "4" },
        { 15, 1.0f / 3.0f, "Full" },
    };

    const auto values = savedValues (*instance);
    ASSERT_EQ (values.size(), (size_t) numParameters);

    for (const auto& row : rows)
    {
        auto* parameter = instance->getParameters()[row.index];
        SCOPED_TRACE (parameter->getName (100));
        EXPECT_FLOAT_EQ (parameter->getValue(), row.value);
        EXPECT_NEAR (values.at (parameter->getName (100)), row.value, 1e-6);
        EXPECT_EQ (parameter->getCurrentValueAsText(), row.text);
    }
}
