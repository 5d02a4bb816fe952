#include "framework/Vst2Boundary.h"

#include <atomic>
#include <cstring>
#include <string>

// JUCE's own entry point; the VST 2.4 build renames it so that the library's
// exported VSTPluginMain is the one below.
extern "C" AEffect* JuceVSTPluginMain (audioMasterCallback host);

namespace
{
// VST 2.4 values the FST headers leave without their real numbers.
constexpr VstInt32 pinIsActive = 1 << 0;
constexpr VstInt32 pinIsStereo = 1 << 1;
constexpr VstInt32 pinUseSpeaker = 1 << 2;

struct MidiKeyName
{
    VstInt32 thisProgramIndex;
    VstInt32 thisKeyNumber;
    char keyName[64];
    VstInt32 reserved;
    VstInt32 flags;
};

// Every instance shares JUCE's one static dispatcher function.
std::atomic<AEffectDispatcherProc> juceDispatcher { nullptr };

struct CanDoAnswer
{
    const char* query;
    VstIntPtr answer;
};

constexpr CanDoAnswer canDoAnswers[] = {
    { "receiveVstEvents", 1 },
    { "receiveVstMidiEvent", 1 },
    { "receiveVstMidiEvents", 1 },
    { "sendVstEvents", -1 },
    { "sendVstMidiEvent", -1 },
    { "sendVstMidiEvents", -1 },
    { "receiveVstTimeInfo", 1 },
    { "conformsToWindowRules", 1 },
    { "openCloseAnyThread", -1 },
};
} // namespace

AEffect* Vst2Boundary::open (audioMasterCallback host)
{
    if (host == nullptr)
        return nullptr;

    auto* effect = JuceVSTPluginMain (host);

    if (effect == nullptr)
        return nullptr;

    juceDispatcher = effect->dispatcher;
    effect->dispatcher = &Vst2Boundary::dispatch;
    applyFields (*effect);
    return effect;
}

VstIntPtr Vst2Boundary::dispatch (AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effCanDo:               return canDo (static_cast<const char*> (ptr));
        case effGetInputProperties:  return pinProperties (index, ptr);
        case effGetOutputProperties: return pinProperties (index, ptr);
        case effGetMidiKeyName:      return midiKeyName (ptr);
        // The plug-in has no soft bypass (canDo "bypass" is 0): the host
        // bypasses by itself, and JUCE's own bypass never engages.
        case effSetBypass:           return 0;
        default:                     break;
    }

    const auto result = juceDispatcher.load() (effect, opcode, index, value, ptr, opt);

    // JUCE rewrites the editor flag when the effect opens and when it builds
    // its editor; effClose has already deleted the effect.
    if (opcode != effClose)
        applyFields (*effect);

    return result;
}

VstIntPtr Vst2Boundary::canDo (const char* query)
{
    if (query == nullptr)
        return 0;

    for (const auto& entry : canDoAnswers)
        if (std::strcmp (query, entry.query) == 0)
            return entry.answer;

    return 0;
}

VstIntPtr Vst2Boundary::pinProperties (int pin, void* properties)
{
    if (properties == nullptr || pin < 0 || pin >= numPinsPerSide)
        return 0;

    auto& pinProperties = *static_cast<VstPinProperties*> (properties);
    std::memset (&pinProperties, 0, sizeof (pinProperties));

    const auto label = std::to_string (pin + 1);
    std::strncpy (pinProperties.label, label.c_str(), sizeof (pinProperties.label) - 1);
    std::strncpy (pinProperties.shortLabel, label.c_str(), sizeof (pinProperties.shortLabel) - 1);
    pinProperties.flags = pinIsActive | pinIsStereo | pinUseSpeaker;
    pinProperties.arrangementType = kSpeakerArrStereo;
    return 1;
}

VstIntPtr Vst2Boundary::midiKeyName (void* keyName)
{
    if (keyName == nullptr)
        return 0;

    static_cast<MidiKeyName*> (keyName)->keyName[0] = 0;
    return 1;
}

void Vst2Boundary::applyFields (AEffect& effect)
{
    effect.flags = flags;
    effect.numPrograms = numPrograms;
}

#if defined (_WIN32)
 #define QUILVERN_VST2_ENTRY_POINT extern "C" __declspec (dllexport)
#else
 #define QUILVERN_VST2_ENTRY_POINT extern "C" __attribute__ ((visibility ("default")))
#endif

QUILVERN_VST2_ENTRY_POINT AEffect* VSTPluginMain (audioMasterCallback host)
{
    return Vst2Boundary::open (host);
}
