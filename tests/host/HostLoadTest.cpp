// Loads the built VST 2.4 library as a host does, through JUCE's VST hosting.
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

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
        format.findAllTypesForFile (found, QUILVERN_VST2_PATH);
        ASSERT_EQ (found.size(), 1) << "no plug-in found in " << QUILVERN_VST2_PATH;
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

    void* chunk = nullptr;
    const auto chunkSize = effect->dispatcher (effect, effGetChunk, 0, 0, &chunk, 0.0f);
    ASSERT_GT (chunkSize, 10);
    ASSERT_NE (chunk, nullptr);
    EXPECT_EQ (juce::String (static_cast<const char*> (chunk), 4), "VC2!");

    // The host's own state block wraps that chunk and restores it.
    juce::MemoryBlock state;
    instance->getStateInformation (state);
    ASSERT_GT (state.getSize(), (size_t) chunkSize);

    instance->setStateInformation (state.getData(), (int) state.getSize());

    juce::MemoryBlock again;
    instance->getStateInformation (again);
    EXPECT_EQ (again, state);
}
