// Reads every identity value and answer of the VST 2.4 library the way a host
// does: through the exported entry point, the AEffect record and dispatcher
// calls, with a host callback of its own.
#include <gmock/gmock.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/MessagePump.h"
#include "support/Vst2EntryPoint.h"
#include "support/WindowSystem.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace
{
// The numbers every VST 2.4 host uses for the requests FST leaves without
// them, written out here so that the test does not take them from the
// headers it checks.
namespace conventional
{
constexpr int audioMasterIOChanged = 13;
constexpr int audioMasterUpdateDisplay = 42;
constexpr int effSetBypass = 44;
constexpr int effGetTailSize = 52;
constexpr int effKeysRequired = 57;
constexpr int effGetMidiKeyName = 66;
constexpr int effGetNumMidiInputChannels = 78;
} // namespace conventional

static_assert (audioMasterUpdateDisplay == conventional::audioMasterUpdateDisplay);
static_assert (audioMasterIOChanged == conventional::audioMasterIOChanged);
static_assert (effSetBypass == conventional::effSetBypass);
static_assert (effGetTailSize == conventional::effGetTailSize);

constexpr VstInt32 pinIsActive = 1 << 0;
constexpr VstInt32 pinIsStereo = 1 << 1;

struct MidiKeyName
{
    VstInt32 thisProgramIndex;
    VstInt32 thisKeyNumber;
    char keyName[64];
    VstInt32 reserved;
    VstInt32 flags;
};

VstIntPtr hostVersionAnswer = 2400;

// Every request the plug-in sends to the host, from whichever thread.
struct ReceivedRequests
{
    void add (int opcode)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        opcodes.push_back (opcode);
    }

    int count (int opcode)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return (int) std::count (opcodes.begin(), opcodes.end(), opcode);
    }

    void clear()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        opcodes.clear();
    }

    std::mutex mutex;
    std::vector<int> opcodes;
};

ReceivedRequests received;

VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    received.add (opcode);
    return opcode == audioMasterVersion ? hostVersionAnswer : 0;
}

AEffect* openEffect (VstIntPtr versionAnswer)
{
    auto entryPoint = Vst2EntryPoint::get();

    if (entryPoint == nullptr)
        return nullptr;

    hostVersionAnswer = versionAnswer;
    return entryPoint (&hostCallback);
}

class Vst2BoundaryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE (Vst2EntryPoint::get(), nullptr) << "cannot load " << LibraryCopy::get().getFullPathName();
        effect = openEffect (2400);
        ASSERT_NE (effect, nullptr);
        dispatch (effOpen);
    }

    void TearDown() override
    {
        if (effect != nullptr)
            dispatch (effClose);
    }

    VstIntPtr dispatch (int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    }

    std::string text (int opcode, int index = 0)
    {
        std::array<char, 256> buffer {};
        dispatch (opcode, index, 0, buffer.data());
        return buffer.data();
    }

    void expectHostVisibleFields()
    {
        EXPECT_EQ (effect->magic, kEffectMagic);
        EXPECT_EQ (effect->uniqueID, 0x5156394B); // "QV9K"
        EXPECT_EQ (effect->version, 66305);
        EXPECT_EQ (effect->numInputs, 2);
        EXPECT_EQ (effect->numOutputs, 2);
        EXPECT_EQ (effect->numPrograms, 0);
        EXPECT_EQ (effect->flags, 0x31); // editor, replacing, program chunks
        EXPECT_EQ (effect->initialDelay, 0);
    }

    AEffect* effect = nullptr;
};

// The name and default display text of each host parameter, by index.
struct ParameterRow
{
    const char* name;
    float defaultValue;
    const char* defaultText;
};

constexpr ParameterRow parameterRows[] = {
    { "Stages Number", 0.5f, "6" },
    { "Feedback", 0.5f, "50%" },
    { "Stereo Phase", 0.5f, "90 deg" },
    { "LFO 1 Rate", 0.5f, "0.5Hz" },
    { "LFO 1 Depth", 0.5f, "50%" },
    { "LFO 1 Offset", 0.5f, "50%" },
    { "LFO 1 Wave", 0.5f, "Saw rising" },
    { "LFO 2 Rate", 0.5f, "0.5Hz" },
    { "LFO 2 Depth", 0.5f, "50%" },
    { "LFO 2 Wave", 0.5f, "Saw rising" },
    { "FX", 0.5f, "50/50% (Dry/Wet)" },
    { "Output Volume", 0.5f, "0.0dB" },
    { "LFO 1 Note Rate", 0.5f, "1" },
    { "LFO 1 Sync", 0.0f, "Off" },
    { "LFO 2 Note Rate", 0.5f, "1" },
    { "LFO 2 Sync", 0.0f, "Off" },
};
} // namespace

TEST (Vst2Entry, RefusesHostThatAnswersVersionZero)
{
    ASSERT_NE (Vst2EntryPoint::get(), nullptr) << "cannot load " << LibraryCopy::get().getFullPathName();
    EXPECT_EQ (openEffect (0), nullptr);
}

TEST_F (Vst2BoundaryTest, ReportsIdentity)
{
    expectHostVisibleFields();

    EXPECT_EQ (text (effGetEffectName), "Quilvern");
    EXPECT_EQ (text (effGetProductString), "Quilvern");
    EXPECT_EQ (text (effGetVendorString), "Brannock Group Audio Software");
    EXPECT_EQ (dispatch (effGetVendorVersion), 66305);
    EXPECT_EQ (dispatch (effGetVstVersion), 2400);
    EXPECT_EQ (dispatch (effGetPlugCategory), kPlugCategEffect);
}

TEST_F (Vst2BoundaryTest, FieldsHoldThroughTheHostsCalls)
{
    // JUCE rewrites the editor flag on open and whenever it builds its editor.
    dispatch (effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch (effSetBlockSize, 0, 256);
    dispatch (effMainsChanged, 0, 1);
    ERect* rect = nullptr;
    dispatch (effEditGetRect, 0, 0, &rect);
    dispatch (effMainsChanged, 0, 0);

    expectHostVisibleFields();
}

TEST_F (Vst2BoundaryTest, AnswersCanDo)
{
    const std::pair<const char*, VstIntPtr> answers[] = {
        { "receiveVstEvents", 1 },     { "receiveVstMidiEvent", 1 },  { "receiveVstMidiEvents", 1 },
        { "sendVstEvents", -1 },       { "sendVstMidiEvent", -1 },    { "sendVstMidiEvents", -1 },
        { "receiveVstTimeInfo", 1 },   { "conformsToWindowRules", 1 }, { "openCloseAnyThread", -1 },
        // Anything else is 0, also what JUCE would claim by itself.
        { "bypass", 0 },               { "supportsViewDpiScaling", 0 }, { "hasCockosExtensions", 0 },
        { "MPE", 0 },                  { "offline", 0 },              { "", 0 },
    };

    for (const auto& [query, answer] : answers)
        EXPECT_EQ (dispatch (effCanDo, 0, 0, const_cast<char*> (query)), answer) << query;

    EXPECT_EQ (dispatch (effCanDo), 0) << "no query";
}

TEST_F (Vst2BoundaryTest, DescribesTwoStereoPinsPerSide)
{
    for (const int opcode : { effGetInputProperties, effGetOutputProperties })
    {
        for (int pin = 0; pin < 2; ++pin)
        {
            VstPinProperties properties;
            std::memset (&properties, 'x', sizeof (properties));

            ASSERT_EQ (dispatch (opcode, pin, 0, &properties), 1) << "opcode " << opcode << " pin " << pin;
            EXPECT_EQ (std::string (properties.label), std::to_string (pin + 1));
            EXPECT_EQ (properties.flags & (pinIsActive | pinIsStereo), pinIsActive | pinIsStereo);
            EXPECT_EQ (properties.arrangementType, kSpeakerArrStereo);
        }

        VstPinProperties properties {};
        EXPECT_EQ (dispatch (opcode, 2, 0, &properties), 0) << "opcode " << opcode;
        EXPECT_EQ (dispatch (opcode, -1, 0, &properties), 0) << "opcode " << opcode;
    }
}

TEST_F (Vst2BoundaryTest, MidiKeyNamesAreEmpty)
{
    MidiKeyName keyName;
    std::memset (&keyName, 'x', sizeof (keyName));
    keyName.thisKeyNumber = 60;

    EXPECT_EQ (dispatch (conventional::effGetMidiKeyName, 0, 0, &keyName), 1);
    EXPECT_EQ (keyName.keyName[0], 0);
}

TEST_F (Vst2BoundaryTest, NamesAndDefaultTextsOfParameters)
{
    ASSERT_EQ (effect->numParams, (VstInt32) std::size (parameterRows));

    for (int index = 0; index < effect->numParams; ++index)
        effect->setParameter (effect, index, parameterRows[index].defaultValue);

    for (int index = 0; index < effect->numParams; ++index)
    {
        EXPECT_EQ (text (effGetParamName, index), parameterRows[index].name) << "index " << index;
        EXPECT_EQ (text (effGetParamDisplay, index), parameterRows[index].defaultText) << "index " << index;
        EXPECT_EQ (dispatch (effCanBeAutomated, index), 1) << "index " << index;
    }
}

// A host writes a table's boundary value as the float nearest to it, which
// may lie just below the boundary (0.7f is 0.69999998...). The item the
// table names for the boundary must show; the float just below keeps the
// item under it.
TEST_F (Vst2BoundaryTest, BoundaryValuesSentAsFloatsShowTheItemTheTableNames)
{
    struct Row
    {
        int index;
        double boundary;
        const char* itemFrom;
        const char* itemBelow;
    };

    constexpr Row rows[] = {
        { 0, 1.0 / 6.0, "4", "2" },       { 0, 0.5, "6", "4" },       { 0, 5.0 / 6.0, "8", "6" },
        { 6, 0.1, "Square", "Triangle" }, { 6, 0.3, "Sine", "Square" }, { 6, 0.5, "Saw rising", "Sine" },
        { 6, 0.7, "Saw falling", "Saw rising" },                      { 9, 0.9, "Random", "Saw falling" },
        { 13, 1.0 / 6.0, "Full", "Off" }, { 13, 0.5, "Dotted", "Full" }, { 15, 5.0 / 6.0, "Triplet", "Dotted" },
        { 12, 0.05, "16", "32" },         { 12, 0.15, "8", "16" },     { 12, 0.25, "4", "8" },
        { 12, 0.35, "2", "4" },           { 12, 0.45, "1", "2" },      { 12, 0.55, "1/2", "1" },
        { 12, 0.65, "1/4", "1/2" },       { 14, 0.75, "1/8", "1/4" },  { 14, 0.85, "1/16", "1/8" },
        { 14, 0.95, "1/32", "1/16" },
    };

    for (const auto& row : rows)
    {
        const auto sent = (float) row.boundary;
        SCOPED_TRACE (parameterRows[row.index].name + std::string (" at ") + std::to_string (row.boundary));

        // Without sync the note rates show no mark.
        effect->setParameter (effect, 13, 0.0f);
        effect->setParameter (effect, 15, 0.0f);

        effect->setParameter (effect, row.index, sent);
        EXPECT_EQ (text (effGetParamDisplay, row.index), row.itemFrom);

        effect->setParameter (effect, row.index, std::nextafter (sent, 0.0f));
        EXPECT_EQ (text (effGetParamDisplay, row.index), row.itemBelow);
    }
}

TEST_F (Vst2BoundaryTest, SyncChangeTellsTheHostItsDisplayChanged)
{
    if (! canCreateWindows())
        GTEST_SKIP() << "JUCE's messages need windows here";

    received.clear();
    effect->setParameter (effect, 13, 2.0f / 3.0f); // "Dotted"

    // JUCE sends it from its message loop, which a host drives: with
    // effEditIdle on Linux, with its own window message loop on Windows.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);

    while (received.count (conventional::audioMasterUpdateDisplay) == 0 && std::chrono::steady_clock::now() < deadline)
    {
        dispatch (effEditIdle);
        MessagePump::run (10);
    }

    EXPECT_GE (received.count (conventional::audioMasterUpdateDisplay), 1);
    EXPECT_EQ (received.count (conventional::audioMasterIOChanged), 0) << "a sync change changes no inputs, outputs or latency";
    EXPECT_EQ (text (effGetParamDisplay, 12), "1.");
}

TEST_F (Vst2BoundaryTest, AnswersTailSizeAndRefusesSoftBypass)
{
    constexpr int numSamples = 512;
    dispatch (effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch (effSetBlockSize, 0, numSamples);
    dispatch (effMainsChanged, 0, 1);

    EXPECT_EQ (dispatch (conventional::effGetTailSize), 0);
    // JUCE's client answers under the hosts' numbers: 16 MIDI input channels.
    EXPECT_EQ (dispatch (conventional::effGetNumMidiInputChannels), 16);
    EXPECT_EQ (dispatch (conventional::effKeysRequired), 0);

    // A host that asks anyway is told no, and the effect keeps working.
    EXPECT_EQ (dispatch (conventional::effSetBypass, 0, 1), 0);
    effect->setParameter (effect, 10, 1.0f); // fully wet

    std::vector<float> in[2], out[2];
    float* inputs[2];
    float* outputs[2];

    for (int channel = 0; channel < 2; ++channel)
    {
        in[channel].resize (numSamples);
        out[channel].assign (numSamples, 0.0f);

        for (int i = 0; i < numSamples; ++i)
            in[channel][(size_t) i] = 0.5f * (float) std::sin (0.05 * i);

        inputs[channel] = in[channel].data();
        outputs[channel] = out[channel].data();
    }

    effect->processReplacing (effect, inputs, outputs, numSamples);
    dispatch (effMainsChanged, 0, 0);

    float largestChange = 0.0f;

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < numSamples; ++i)
            largestChange = std::max (largestChange, std::abs (out[channel][(size_t) i] - in[channel][(size_t) i]));

    EXPECT_GT (largestChange, 0.05f) << "the wet signal passed through unchanged, as if bypassed";
}

namespace
{
// Plays a tone through a resumed effect, as a host's audio callback does,
// the oscillators' depths at 0 so that the notches stand still; returns the
// last 4096 samples of the left channel. The tone is the same sample
// sequence whatever the rate.
std::vector<float> playTone (AEffect* effect, int blockSize, int numSamples = 96000)
{
    effect->setParameter (effect, 4, 0.0f); // LFO 1 Depth
    effect->setParameter (effect, 8, 0.0f); // LFO 2 Depth
    std::vector<float> left ((size_t) blockSize), right ((size_t) blockSize), played;
    float* channels[] = { left.data(), right.data() };

    for (int start = 0; start < numSamples; start += blockSize)
    {
        for (int i = 0; i < blockSize; ++i)
            left[(size_t) i] = right[(size_t) i] = 0.5f * (float) std::sin (0.05 * (start + i));

        effect->processReplacing (effect, channels, channels, blockSize);
        played.insert (played.end(), left.begin(), left.end());
    }

    return { played.end() - 4096, played.end() };
}

float largestDifference (const std::vector<float>& a, const std::vector<float>& b)
{
    float largest = 0.0f;

    for (size_t i = 0; i < std::min (a.size(), b.size()); ++i)
        largest = std::max (largest, std::abs (a[i] - b[i]));

    return largest;
}
} // namespace

// A host changes the rate and block size between suspend and resume: the
// effect then sounds as one resumed at that rate from the start, and not as
// at the rate before.
TEST_F (Vst2BoundaryTest, ANewRateAndBlockSizeBetweenSuspendAndResumeTakeEffect)
{
    const auto resumeAt = [] (AEffect* e, float rate, int blockSize) {
        e->dispatcher (e, effSetSampleRate, 0, 0, nullptr, rate);
        e->dispatcher (e, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
        e->dispatcher (e, effMainsChanged, 0, 1, nullptr, 0.0f);
    };

    const auto freshlyResumedAt = [&] (float rate, int blockSize) {
        auto* other = openEffect (2400);
        other->dispatcher (other, effOpen, 0, 0, nullptr, 0.0f);
        resumeAt (other, rate, blockSize);
        auto played = playTone (other, blockSize);
        other->dispatcher (other, effMainsChanged, 0, 0, nullptr, 0.0f);
        other->dispatcher (other, effClose, 0, 0, nullptr, 0.0f);
        return played;
    };

    resumeAt (effect, 44100.0f, 512);
    playTone (effect, 512, 22050);
    dispatch (effMainsChanged, 0, 0);
    resumeAt (effect, 96000.0f, 2048);
    const auto changed = playTone (effect, 2048);
    dispatch (effMainsChanged, 0, 0);

    EXPECT_LT (largestDifference (changed, freshlyResumedAt (96000.0f, 2048)), 1e-5f);
    EXPECT_GT (largestDifference (changed, freshlyResumedAt (44100.0f, 2048)), 1e-3f) << "the rate makes no difference";
}
