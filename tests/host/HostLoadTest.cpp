// Loads the built VST 2.4 library as a host does, through JUCE's VST hosting.
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/LibraryCopy.h"

#include <cmath>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;

class HostLoadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        juce::OwnedArray<juce::PluginDescription> found;
        format.findAllTypesForFile (found, LibraryCopy::get().getFullPathName());
        ASSERT_EQ (found.size(), 1) << "no plug-in found in " << LibraryCopy::get().getFullPathName();
        description = *found[0];

        juce::String error;
        instance = format.createInstanceFromDescription (description, sampleRate, blockSize, error);
        ASSERT_NE (instance, nullptr) << error;
    }

    juce::VSTPluginFormat format;
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
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
// The document of the bank chunk the host gets, read from the bytes: "VC2!",
// the text's length, the one-line text without a declaration, a zero byte and
// a spare byte.
std::unique_ptr<juce::XmlElement> getChunkXml (AEffect* effect)
{
    void* data = nullptr;
    const auto size = (size_t) effect->dispatcher (effect, effGetChunk, 0, 0, &data, 0.0f);

    if (data == nullptr || size <= 10)
        return {};

    EXPECT_EQ (juce::String (static_cast<const char*> (data), 4), "VC2!");
    juce::MemoryInputStream chunk (data, size, false);
    chunk.setPosition (4);
    const auto length = (size_t) chunk.readInt();
    EXPECT_EQ (length + 10, size);
    EXPECT_EQ (static_cast<const char*> (data)[8 + length], 0);
    EXPECT_EQ (juce::String (static_cast<const char*> (data) + 8, 1), "<");
    EXPECT_FALSE (juce::String::fromUTF8 (static_cast<const char*> (data) + 8, (int) length).containsAnyOf ("\r\n"));
    return juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (data) + 8, (int) length));
}

juce::MemoryBlock wrapChunk (const juce::XmlElement& xml)
{
    const auto text = xml.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    juce::MemoryOutputStream chunk;
    chunk.write ("VC2!", 4);
    chunk.writeInt ((int) text.getNumBytesAsUTF8());
    chunk << text;
    chunk.writeByte (0);
    chunk.writeByte (0);
    return chunk.getMemoryBlock();
}
} // namespace

TEST_F (HostLoadTest, ReportsTheProductIdentity)
{
    EXPECT_EQ (description.manufacturerName, "Brannock Group Audio Software");
    EXPECT_THAT (description.version.toStdString(), ::testing::StartsWith ("1.3.1"));
    EXPECT_EQ (description.deprecatedUid, 0x5156394B); // "QV9K"
    EXPECT_EQ (description.numInputChannels, 2);
    EXPECT_EQ (description.numOutputChannels, 2);
    EXPECT_FALSE (description.isInstrument);

    auto* effect = static_cast<AEffect*> (instance->getPlatformSpecificData());
    ASSERT_NE (effect, nullptr);

    char text[256] = {};
    effect->dispatcher (effect, effGetEffectName, 0, 0, text, 0.0f);
    EXPECT_STREQ (text, "Quilvern");
    effect->dispatcher (effect, effGetVendorString, 0, 0, text, 0.0f);
    EXPECT_STREQ (text, "Brannock Group Audio Software");
    EXPECT_EQ (effect->uniqueID, 0x5156394B);
    EXPECT_EQ (effect->dispatcher (effect, effGetVendorVersion, 0, 0, nullptr, 0.0f), 66305);
}

TEST_F (HostLoadTest, ProcessesStereoBlocks)
{
    instance->setPlayConfigDetails (2, 2, sampleRate, blockSize);
    instance->prepareToPlay (sampleRate, blockSize);

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    double energy = 0.0;

    for (int block = 0; block < 20; ++block)
    {
        fillWithSine (buffer, block);
        instance->processBlock (buffer, midi);

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
            {
                const float sample = buffer.getSample (channel, i);
                ASSERT_TRUE (std::isfinite (sample));
                energy += sample * sample;
            }
    }

    instance->releaseResources();
    EXPECT_GT (energy, 0.0);
}

TEST_F (HostLoadTest, StateChunkRoundTrips)
{
    // The plug-in's own chunk, as the host receives it from effGetChunk.
    auto* effect = static_cast<AEffect*> (instance->getPlatformSpecificData());
    ASSERT_NE (effect, nullptr);

    const auto xml = getChunkXml (effect);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "PluginState");
    EXPECT_EQ (xml->getStringAttribute ("application"), "Quilvern");

    juce::StringArray children;

    for (auto* child : xml->getChildIterator())
        children.add (child->getTagName());

    EXPECT_EQ (children, juce::StringArray ({ "UniqueData", "ParametersState", "PresetsState", "MidiControlMap" }));

    // The host's own state block wraps that chunk and restores it.
    juce::MemoryBlock state;
    instance->getStateInformation (state);
    instance->setStateInformation (state.getData(), (int) state.getSize());

    juce::MemoryBlock again;
    instance->getStateInformation (again);
    EXPECT_EQ (again, state);
}

TEST_F (HostLoadTest, RestoringAnEditedChunkChangesTheParameter)
{
    auto* effect = static_cast<AEffect*> (instance->getPlatformSpecificData());
    ASSERT_NE (effect, nullptr);

    auto xml = getChunkXml (effect);
    ASSERT_NE (xml, nullptr);
    auto* feedback = xml->getChildByName ("ParametersState")->getChildByAttribute ("name", "Feedback");
    ASSERT_NE (feedback, nullptr);
    ASSERT_NE (effect->getParameter (effect, 1), 0.875f);
    feedback->setAttribute ("value", "0.875");

    auto chunk = wrapChunk (*xml);
    effect->dispatcher (effect, effSetChunk, 0, (VstIntPtr) chunk.getSize(), chunk.getData(), 0.0f);
    EXPECT_EQ (effect->getParameter (effect, 1), 0.875f);
}

// Beside the library the host loaded, not beside the host program.
TEST_F (HostLoadTest, SettingsFileIsWrittenBesideTheLibraryWhenTheInstanceCloses)
{
    const auto file = LibraryCopy::get().getSiblingFile ("Quilvern.ini");
    const auto besideHost = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile ("Quilvern.ini");
    file.deleteFile();
    besideHost.deleteFile();
    instance.reset();

    const auto xml = juce::parseXML (file);
    ASSERT_NE (xml, nullptr) << file.getFullPathName();
    EXPECT_EQ (xml->getTagName(), "UserSettings");
    EXPECT_EQ (xml->getStringAttribute ("application"), "Quilvern");
    EXPECT_FALSE (besideHost.exists());
}
