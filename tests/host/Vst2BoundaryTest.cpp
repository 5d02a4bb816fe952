// Reads every identity value and answer of the VST 2.4 library the way a host
// does: through the exported entry point, the AEffect record and dispatcher
// calls, with a host callback of its own.
#include <gmock/gmock.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/Vst2EntryPoint.h"

#include <array>
#include <cstring>
#include <string>

namespace
{
// VST 2.4 values the FST headers leave without their real numbers.
constexpr int effGetMidiKeyName = 66;
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

VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void*, float)
{
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

    EXPECT_EQ (dispatch (effGetMidiKeyName, 0, 0, &keyName), 1);
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
