// Calls the VST3 plug-in's audio processor interface directly, the way a
// host's audio thread does: it must allocate nothing while it processes
// (with parameter changes, MIDI controllers and a playing transport in every
// block, also after a new rate and a larger block), move the parameter a
// MIDI-learned controller drives (in blocks and in flushes without audio),
// and report the plug-in's own parameter values to the host.
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>

#define JUCE_VST3HEADERS_INCLUDE_HEADERS_ONLY 1
#include <juce_audio_processors/format_types/juce_VST3Headers.h>

#include "support/TestedVst3Bundle.h"
#include "support/ThreadAllocationCounter.h"
#include "support/Vst3Instance.h"

#include <array>
#include <cstring>
#include <thread>

using namespace Steinberg;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;
constexpr int largestBlockSize = 4096;
// "feedback", "lfo_1_sync" and MIDI controller 7 of channel 1 as JUCE's
// wrapper offers it.
constexpr Vst::ParamID feedbackId = 1955982213;
constexpr Vst::ParamID syncId = 660647731;
constexpr Vst::ParamID volumeControllerId = 0x6d636d00 + 7;

// Objects of this test live on the stack; the host owns them.
#define QUILVERN_STACK_OBJECT_COM_METHODS \
    tresult PLUGIN_API queryInterface (const TUID, void** obj) override { *obj = nullptr; return kNoInterface; } \
    uint32 PLUGIN_API addRef() override { return 1; } \
    uint32 PLUGIN_API release() override { return 1; }

// One parameter's change in a block: a single point at the block's start.
class OnePointQueue : public Vst::IParamValueQueue
{
public:
    QUILVERN_STACK_OBJECT_COM_METHODS

    Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    int32 PLUGIN_API getPointCount() override { return 1; }

    tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, Vst::ParamValue& pointValue) override
    {
        if (index != 0)
            return kResultFalse;

        sampleOffset = 0;
        pointValue = value;
        return kResultTrue;
    }

    tresult PLUGIN_API addPoint (int32, Vst::ParamValue, int32&) override { return kResultFalse; }

    Vst::ParamID id = 0;
    Vst::ParamValue value = 0.0;
};

class ParameterChanges : public Vst::IParameterChanges
{
public:
    QUILVERN_STACK_OBJECT_COM_METHODS

    int32 PLUGIN_API getParameterCount() override { return (int32) count; }
    Vst::IParamValueQueue* PLUGIN_API getParameterData (int32 index) override { return &queues[(size_t) index]; }
    Vst::IParamValueQueue* PLUGIN_API addParameterData (const Vst::ParamID&, int32&) override { return nullptr; }

    std::array<OnePointQueue, 3> queues;
    size_t count = queues.size();
};

// Keeps the last value the plug-in reports for each parameter, in storage
// fixed beforehand.
class ReportedChanges : public Vst::IParameterChanges
{
public:
    QUILVERN_STACK_OBJECT_COM_METHODS

    class Queue : public Vst::IParamValueQueue
    {
    public:
        QUILVERN_STACK_OBJECT_COM_METHODS

        Vst::ParamID PLUGIN_API getParameterId() override { return id; }
        int32 PLUGIN_API getPointCount() override { return 0; }
        tresult PLUGIN_API getPoint (int32, int32&, Vst::ParamValue&) override { return kResultFalse; }

        tresult PLUGIN_API addPoint (int32, Vst::ParamValue pointValue, int32& index) override
        {
            value = pointValue;
            index = 0;
            return kResultTrue;
        }

        Vst::ParamID id = 0;
        Vst::ParamValue value = -1.0;
    };

    int32 PLUGIN_API getParameterCount() override { return 0; }
    Vst::IParamValueQueue* PLUGIN_API getParameterData (int32) override { return nullptr; }

    Vst::IParamValueQueue* PLUGIN_API addParameterData (const Vst::ParamID& id, int32& index) override
    {
        index = 0;
        return find (id, true);
    }

    // The last value reported for the parameter; -1 when none was.
    double last (Vst::ParamID id) { return find (id, false) != nullptr ? find (id, false)->value : -1.0; }

private:
    Queue* find (Vst::ParamID id, bool add)
    {
        for (size_t i = 0; i < used; ++i)
            if (queues[i].id == id)
                return &queues[i];

        if (! add || used == queues.size())
            return nullptr;

        queues[used].id = id;
        return &queues[used++];
    }

    std::array<Queue, 64> queues;
    size_t used = 0;
};

// A state stream over a fixed buffer, so that writing to it allocates nothing.
class FixedStream : public IBStream
{
public:
    QUILVERN_STACK_OBJECT_COM_METHODS

    tresult PLUGIN_API read (void*, int32, int32* numBytesRead) override
    {
        if (numBytesRead != nullptr)
            *numBytesRead = 0;

        return kResultFalse;
    }

    tresult PLUGIN_API write (void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        const auto count = juce::jmin ((size_t) numBytes, bytes.size() - position);
        std::memcpy (bytes.data() + position, buffer, count);
        position += count;

        if (numBytesWritten != nullptr)
            *numBytesWritten = (int32) count;

        return kResultTrue;
    }

    tresult PLUGIN_API seek (int64 pos, int32, int64* result) override
    {
        position = juce::jmin ((size_t) pos, bytes.size());

        if (result != nullptr)
            *result = (int64) position;

        return kResultTrue;
    }

    tresult PLUGIN_API tell (int64* pos) override
    {
        *pos = (int64) position;
        return kResultTrue;
    }

    std::array<char, 1 << 20> bytes {};
    size_t position = 0;
};

// One bundle for every test: on Windows a loaded module's folder cannot be
// deleted, and JUCE's hosting keeps modules loaded until it shuts down.
std::unique_ptr<juce::AudioPluginInstance> loadQuilvern()
{
    static const TestedVst3Bundle bundle;
    return loadVst3Instance (bundle.get(), sampleRate, blockSize);
}

class Vst3ProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        instance = loadQuilvern();
        ASSERT_NE (instance, nullptr);
        component = static_cast<Vst::IComponent*> (instance->getPlatformSpecificData());
        ASSERT_NE (component, nullptr);
        ASSERT_EQ (component->queryInterface (Vst::IAudioProcessor::iid, reinterpret_cast<void**> (&processor)), kResultOk);

        for (size_t c = 0; c < 2; ++c)
        {
            inputChannels[c] = input[c].data();
            outputChannels[c] = output[c].data();
        }

        inputBus.numChannels = outputBus.numChannels = 2;
        inputBus.channelBuffers32 = inputChannels.data();
        outputBus.channelBuffers32 = outputChannels.data();

        context.state = Vst::ProcessContext::kPlaying | Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kProjectTimeMusicValid;
        context.sampleRate = sampleRate;
        context.tempo = 120.0;

        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = blockSize;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &inputBus;
        data.outputs = &outputBus;
        data.inputParameterChanges = &changes;
        data.outputParameterChanges = &reported;
        data.processContext = &context;

        changes.queues[0].id = feedbackId;
        changes.queues[1].id = volumeControllerId;
        changes.queues[2].id = syncId;
    }

    void TearDown() override
    {
        if (processor != nullptr)
            processor->release();
    }

    // Runs work on a thread of its own, as a host runs processing on its
    // audio thread. The test's thread is the host's message thread, and on
    // Windows the plug-in's too, where JUCE's wrapper handles the
    // plug-in's parameter changes as the editor's.
    template <typename Work>
    static void onAudioThread (Work work)
    {
        std::thread audio (work);
        audio.join();
    }

    // One block of a sine with new values for a parameter and a controller,
    // and every 20 blocks a new sync mode (which changes the texts hosts
    // show), at the block size and rate the host set up.
    void processBlock (int block)
    {
        const int size = data.numSamples;

        for (size_t c = 0; c < 2; ++c)
            for (size_t i = 0; i < (size_t) size; ++i)
                input[c][i] = (float) (0.5 * std::sin (0.05 * (double) (block * size + (int) i)));

        changes.queues[0].value = (block % 10) / 10.0;
        changes.queues[1].value = (block % 7) / 7.0;
        changes.queues[2].value = (block / 20 % 4) / 3.0;
        context.projectTimeMusic = block * size / context.sampleRate * 2.0;
        context.projectTimeSamples = block * size;
        ASSERT_EQ (processor->process (data), kResultOk);
    }

    // The allocations of the given number of blocks on an audio thread.
    // A thread's first use of a C++ thread_local in the plug-in's library
    // allocates its share of the storage, once: GCC emulates thread-locals
    // on Windows, and JUCE's VST3 wrapper keeps one for the parameter
    // changes it applies. A host's audio thread has made that one-time
    // step once it has played any instance; so here another instance plays
    // a block with a parameter change first, and every block of this
    // instance counts, from its first.
    long long allocationsWhilePlaying (int blocks)
    {
        auto other = loadQuilvern();
        long long allocations = -1;

        if (other == nullptr)
            return allocations;

        onAudioThread ([&] {
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer midi;
            other->getParameters()[1]->setValue (0.3f);
            other->processBlock (buffer, midi);

            ThreadAllocationCounter::Scope scope;

            for (int block = 0; block < blocks; ++block)
                processBlock (block);

            allocations = scope.getCount();
        });

        return allocations;
    }

    double outputEnergy() const
    {
        double energy = 0.0;

        for (const auto& channel : output)
            for (const auto sample : channel)
                energy += sample * sample;

        return energy;
    }

    // The parameter values the plug-in holds, from the state it gives the
    // host: "VC2!", the text's length, the document.
    double pluginValue (const juce::String& name)
    {
        auto stream = std::make_unique<FixedStream>();

        if (component->getState (stream.get()) != kResultOk || stream->position < 8)
            return -1.0;

        const auto length = (int) juce::ByteOrder::littleEndianInt (stream->bytes.data() + 4);
        const auto chunk = juce::parseXML (juce::String::fromUTF8 (stream->bytes.data() + 8, length));
        auto* parameters = chunk != nullptr ? chunk->getChildByName ("ParametersState") : nullptr;

        if (parameters != nullptr)
            for (auto* parameter : parameters->getChildIterator())
                if (parameter->getStringAttribute ("name") == name)
                    return parameter->getDoubleAttribute ("value");

        return -1.0;
    }

    // What MIDI learn leaves behind, a controller in the plug-in's map,
    // restored with the state as a project brings it back.
    void mapController (int controller, const juce::String& parameterName)
    {
        juce::MemoryBlock state, chunk;
        instance->getStateInformation (state);
        const auto host = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
        auto* componentState = host != nullptr ? host->getChildByName ("IComponent") : nullptr;
        ASSERT_NE (componentState, nullptr);
        ASSERT_TRUE (chunk.fromBase64Encoding (componentState->getAllSubText()));
        const auto plugin = juce::AudioProcessor::getXmlFromBinary (chunk.getData(), (int) chunk.getSize());
        ASSERT_NE (plugin, nullptr);

        auto* map = plugin->getChildByName ("MidiControlMap");
        ASSERT_NE (map, nullptr);
        auto* assign = map->createNewChildElement ("assign");
        assign->setAttribute ("CC", controller);
        assign->setAttribute ("param", parameterName);

        juce::AudioProcessor::copyXmlToBinary (*plugin, chunk);
        componentState->deleteAllTextElements();
        componentState->addTextElement (chunk.toBase64Encoding());
        juce::AudioProcessor::copyXmlToBinary (*host, state);
        instance->setStateInformation (state.getData(), (int) state.getSize());
    }

    std::unique_ptr<juce::AudioPluginInstance> instance;
    Vst::IComponent* component = nullptr;
    Vst::IAudioProcessor* processor = nullptr;

    std::array<std::array<float, largestBlockSize>, 2> input {}, output {};
    std::array<float*, 2> inputChannels {}, outputChannels {};
    Vst::AudioBusBuffers inputBus, outputBus;
    Vst::ProcessContext context {};
    ParameterChanges changes;
    ReportedChanges reported;
    Vst::ProcessData data;
};
} // namespace

TEST_F (Vst3ProcessTest, CountsThePlugInsOwnAllocations)
{
    if (! ThreadAllocationCounter::isAvailable())
        GTEST_SKIP() << "a sanitizer build counts no allocations";

    // Writing the state allocates inside the plug-in; the stream does not.
    FixedStream stream;
    ThreadAllocationCounter::Scope allocations;
    ASSERT_EQ (component->getState (&stream), kResultOk);
    EXPECT_GT (allocations.getCount(), 0);
}

TEST_F (Vst3ProcessTest, ProcessingAllocatesNothing)
{
    if (! ThreadAllocationCounter::isAvailable())
        GTEST_SKIP() << "a sanitizer build counts no allocations";

    EXPECT_EQ (allocationsWhilePlaying (200), 0);
    EXPECT_GT (outputEnergy(), 0.0) << "the plug-in processed the blocks";
}

TEST_F (Vst3ProcessTest, ANewRateAndLargerBlocksStayAllocationFree)
{
    if (! ThreadAllocationCounter::isAvailable())
        GTEST_SKIP() << "a sanitizer build counts no allocations";

    onAudioThread ([this] {
        for (int block = 0; block < 20; ++block)
            processBlock (block);
    });

    // As hosts change them: stopped and deactivated, set up, activated.
    Vst::ProcessSetup setup { Vst::kRealtime, Vst::kSample32, largestBlockSize, 96000.0 };
    processor->setProcessing (false);
    component->setActive (false);
    ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
    ASSERT_EQ (component->setActive (true), kResultOk);
    processor->setProcessing (true);
    context.sampleRate = setup.sampleRate;
    data.numSamples = largestBlockSize;
    for (auto& channel : output)
        channel.fill (0.0f);

    EXPECT_EQ (allocationsWhilePlaying (100), 0);
    EXPECT_GT (outputEnergy(), 0.0) << "the plug-in processed the blocks";
}

TEST_F (Vst3ProcessTest, ALearnedControllerMovesItsParameterInBlocksAndInFlushesWithoutAudio)
{
    mapController (7, "Feedback");

    struct Case
    {
        const char* what;
        int numSamples;
        int numBusses;
        double value;
        int controllerValue;
    };

    const Case cases[] = {
        { "a block", blockSize, 1, 0.25, 32 },
        { "a flush: no samples, no busses", 0, 0, 0.75, 96 },
        { "no samples, with busses", 0, 1, 1.0, 127 },
        { "a block again", blockSize, 1, 0.0, 0 },
    };

    // JUCE's wrapper offers each channel's controllers as parameters and
    // turns their values into controller messages (value x 128, at most 127).
    data.inputParameterChanges = &changes;
    changes.count = 1;
    changes.queues[0].id = volumeControllerId;
    constexpr float untouched = 0.125f;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        input[0].fill (0.5f);
        input[1].fill (0.5f);
        output[0].fill (untouched);
        output[1].fill (untouched);
        changes.queues[0].value = c.value;
        data.numSamples = c.numSamples;
        data.numInputs = data.numOutputs = c.numBusses;
        data.inputs = c.numBusses > 0 ? &inputBus : nullptr;
        data.outputs = c.numBusses > 0 ? &outputBus : nullptr;

        onAudioThread ([this] { ASSERT_EQ (processor->process (data), kResultOk); });
        EXPECT_NEAR (pluginValue ("Feedback"), c.controllerValue / 127.0, 1e-6);

        if (c.numSamples == 0)
        {
            EXPECT_THAT (output[0], ::testing::Each (untouched)) << "a flush touched the audio";
            EXPECT_NEAR (reported.last (feedbackId), c.controllerValue / 127.0, 1e-6) << "the host was not told";
        }
        else
        {
            EXPECT_NE (output[0][0], untouched) << "the block was not processed";
        }
    }
}

TEST_F (Vst3ProcessTest, ReportsTheRestoredValuesAfterAProgramChange)
{
    // A state with a feedback no factory preset has.
    auto source = loadQuilvern();
    ASSERT_NE (source, nullptr);
    source->getParameters()[1]->setValueNotifyingHost (0.8f);
    juce::MemoryBlock state;
    source->getStateInformation (state);

    // As Ardour reloads a project: the program first, then the state.
    instance->setCurrentProgram (50);
    instance->setStateInformation (state.getData(), (int) state.getSize());
    data.inputParameterChanges = nullptr;
    onAudioThread ([this] { processBlock (0); });

    EXPECT_NEAR (reported.last (feedbackId), 0.8, 1e-6);
}
