// VST 2.4 extended interface, taken from Debian's FST headers with two
// corrections.
//
// FST declares VstSpeakerArrangement::speakers as a flexible array member,
// while JUCE sizes speaker-arrangement buffers as if the struct held eight
// entries (as the original SDK's struct does). FST's type is renamed while
// its header is read and replaced by a struct with the eight-entry layout, so
// that JUCE's copies stay inside the memory it allocates.
//
// FST gives the requests whose numbers it has not confirmed placeholders
// above 100000, which no real host sends or answers. Those names are moved
// aside the same way and defined again below with the numbers every VST 2.4
// host uses, so that JUCE's client and hosting code, and our own, exchange
// them as hosts do.
#pragma once

#define VstSpeakerArrangement FstFlexibleSpeakerArrangement

#define audioMasterIdle fstUnnumbered_audioMasterIdle
#define audioMasterPinConnected fstUnnumbered_audioMasterPinConnected
#define audioMasterSetTime fstUnnumbered_audioMasterSetTime
#define audioMasterGetNumAutomatableParameters fstUnnumbered_audioMasterGetNumAutomatableParameters
#define audioMasterGetParameterQuantization fstUnnumbered_audioMasterGetParameterQuantization
#define audioMasterIOChanged fstUnnumbered_audioMasterIOChanged
#define audioMasterNeedIdle fstUnnumbered_audioMasterNeedIdle
#define audioMasterGetInputLatency fstUnnumbered_audioMasterGetInputLatency
#define audioMasterGetOutputLatency fstUnnumbered_audioMasterGetOutputLatency
#define audioMasterGetPreviousPlug fstUnnumbered_audioMasterGetPreviousPlug
#define audioMasterGetNextPlug fstUnnumbered_audioMasterGetNextPlug
#define audioMasterWillReplaceOrAccumulate fstUnnumbered_audioMasterWillReplaceOrAccumulate
#define audioMasterGetAutomationState fstUnnumbered_audioMasterGetAutomationState
#define audioMasterOfflineStart fstUnnumbered_audioMasterOfflineStart
#define audioMasterOfflineRead fstUnnumbered_audioMasterOfflineRead
#define audioMasterOfflineWrite fstUnnumbered_audioMasterOfflineWrite
#define audioMasterOfflineGetCurrentPass fstUnnumbered_audioMasterOfflineGetCurrentPass
#define audioMasterOfflineGetCurrentMetaPass fstUnnumbered_audioMasterOfflineGetCurrentMetaPass
#define audioMasterSetOutputSampleRate fstUnnumbered_audioMasterSetOutputSampleRate
#define audioMasterGetOutputSpeakerArrangement fstUnnumbered_audioMasterGetOutputSpeakerArrangement
#define audioMasterVendorSpecific fstUnnumbered_audioMasterVendorSpecific
#define audioMasterSetIcon fstUnnumbered_audioMasterSetIcon
#define audioMasterGetLanguage fstUnnumbered_audioMasterGetLanguage
#define audioMasterOpenWindow fstUnnumbered_audioMasterOpenWindow
#define audioMasterCloseWindow fstUnnumbered_audioMasterCloseWindow
#define audioMasterGetDirectory fstUnnumbered_audioMasterGetDirectory
#define audioMasterUpdateDisplay fstUnnumbered_audioMasterUpdateDisplay
#define audioMasterOpenFileSelector fstUnnumbered_audioMasterOpenFileSelector
#define audioMasterCloseFileSelector fstUnnumbered_audioMasterCloseFileSelector
#define audioMasterEditFile fstUnnumbered_audioMasterEditFile
#define audioMasterGetChunkFile fstUnnumbered_audioMasterGetChunkFile
#define audioMasterGetInputSpeakerArrangement fstUnnumbered_audioMasterGetInputSpeakerArrangement

#define effEditDraw fstUnnumbered_effEditDraw
#define effEditMouse fstUnnumbered_effEditMouse
#define effEditTop fstUnnumbered_effEditTop
#define effEditSleep fstUnnumbered_effEditSleep
#define effConnectInput fstUnnumbered_effConnectInput
#define effConnectOutput fstUnnumbered_effConnectOutput
#define effSetBypass fstUnnumbered_effSetBypass
#define effGetTailSize fstUnnumbered_effGetTailSize
#define effIdle fstUnnumbered_effIdle
#define effKeysRequired fstUnnumbered_effKeysRequired
#define effBeginSetProgram fstUnnumbered_effBeginSetProgram
#define effEndSetProgram fstUnnumbered_effEndSetProgram
#define effGetNumMidiInputChannels fstUnnumbered_effGetNumMidiInputChannels
#define effGetNumMidiOutputChannels fstUnnumbered_effGetNumMidiOutputChannels

#include <pluginterfaces/fst/aeffectx.h>

#undef VstSpeakerArrangement

#undef audioMasterIdle
#undef audioMasterPinConnected
#undef audioMasterSetTime
#undef audioMasterGetNumAutomatableParameters
#undef audioMasterGetParameterQuantization
#undef audioMasterIOChanged
#undef audioMasterNeedIdle
#undef audioMasterGetInputLatency
#undef audioMasterGetOutputLatency
#undef audioMasterGetPreviousPlug
#undef audioMasterGetNextPlug
#undef audioMasterWillReplaceOrAccumulate
#undef audioMasterGetAutomationState
#undef audioMasterOfflineStart
#undef audioMasterOfflineRead
#undef audioMasterOfflineWrite
#undef audioMasterOfflineGetCurrentPass
#undef audioMasterOfflineGetCurrentMetaPass
#undef audioMasterSetOutputSampleRate
#undef audioMasterGetOutputSpeakerArrangement
#undef audioMasterVendorSpecific
#undef audioMasterSetIcon
#undef audioMasterGetLanguage
#undef audioMasterOpenWindow
#undef audioMasterCloseWindow
#undef audioMasterGetDirectory
#undef audioMasterUpdateDisplay
#undef audioMasterOpenFileSelector
#undef audioMasterCloseFileSelector
#undef audioMasterEditFile
#undef audioMasterGetChunkFile
#undef audioMasterGetInputSpeakerArrangement

#undef effEditDraw
#undef effEditMouse
#undef effEditTop
#undef effEditSleep
#undef effConnectInput
#undef effConnectOutput
#undef effSetBypass
#undef effGetTailSize
#undef effIdle
#undef effKeysRequired
#undef effBeginSetProgram
#undef effEndSetProgram
#undef effGetNumMidiInputChannels
#undef effGetNumMidiOutputChannels

struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
};

// Requests from the plug-in to the host. Typed as FST's enumeration, which
// JUCE's client stores them in.
constexpr AudioMasterOpcodesX audioMasterIdle = (AudioMasterOpcodesX) 3;
constexpr AudioMasterOpcodesX audioMasterPinConnected = (AudioMasterOpcodesX) 4;
constexpr AudioMasterOpcodesX audioMasterSetTime = (AudioMasterOpcodesX) 9;
constexpr AudioMasterOpcodesX audioMasterGetNumAutomatableParameters = (AudioMasterOpcodesX) 11;
constexpr AudioMasterOpcodesX audioMasterGetParameterQuantization = (AudioMasterOpcodesX) 12;
constexpr AudioMasterOpcodesX audioMasterIOChanged = (AudioMasterOpcodesX) 13;
constexpr AudioMasterOpcodesX audioMasterNeedIdle = (AudioMasterOpcodesX) 14;
constexpr AudioMasterOpcodesX audioMasterGetInputLatency = (AudioMasterOpcodesX) 18;
constexpr AudioMasterOpcodesX audioMasterGetOutputLatency = (AudioMasterOpcodesX) 19;
constexpr AudioMasterOpcodesX audioMasterGetPreviousPlug = (AudioMasterOpcodesX) 20;
constexpr AudioMasterOpcodesX audioMasterGetNextPlug = (AudioMasterOpcodesX) 21;
constexpr AudioMasterOpcodesX audioMasterWillReplaceOrAccumulate = (AudioMasterOpcodesX) 22;
constexpr AudioMasterOpcodesX audioMasterGetAutomationState = (AudioMasterOpcodesX) 24;
constexpr AudioMasterOpcodesX audioMasterOfflineStart = (AudioMasterOpcodesX) 25;
constexpr AudioMasterOpcodesX audioMasterOfflineRead = (AudioMasterOpcodesX) 26;
constexpr AudioMasterOpcodesX audioMasterOfflineWrite = (AudioMasterOpcodesX) 27;
constexpr AudioMasterOpcodesX audioMasterOfflineGetCurrentPass = (AudioMasterOpcodesX) 28;
constexpr AudioMasterOpcodesX audioMasterOfflineGetCurrentMetaPass = (AudioMasterOpcodesX) 29;
constexpr AudioMasterOpcodesX audioMasterSetOutputSampleRate = (AudioMasterOpcodesX) 30;
constexpr AudioMasterOpcodesX audioMasterGetOutputSpeakerArrangement = (AudioMasterOpcodesX) 31;
constexpr AudioMasterOpcodesX audioMasterVendorSpecific = (AudioMasterOpcodesX) 35;
constexpr AudioMasterOpcodesX audioMasterSetIcon = (AudioMasterOpcodesX) 36;
constexpr AudioMasterOpcodesX audioMasterGetLanguage = (AudioMasterOpcodesX) 38;
constexpr AudioMasterOpcodesX audioMasterOpenWindow = (AudioMasterOpcodesX) 39;
constexpr AudioMasterOpcodesX audioMasterCloseWindow = (AudioMasterOpcodesX) 40;
constexpr AudioMasterOpcodesX audioMasterGetDirectory = (AudioMasterOpcodesX) 41;
constexpr AudioMasterOpcodesX audioMasterUpdateDisplay = (AudioMasterOpcodesX) 42;
constexpr AudioMasterOpcodesX audioMasterOpenFileSelector = (AudioMasterOpcodesX) 45;
constexpr AudioMasterOpcodesX audioMasterCloseFileSelector = (AudioMasterOpcodesX) 46;
constexpr AudioMasterOpcodesX audioMasterEditFile = (AudioMasterOpcodesX) 47;
constexpr AudioMasterOpcodesX audioMasterGetChunkFile = (AudioMasterOpcodesX) 48;
constexpr AudioMasterOpcodesX audioMasterGetInputSpeakerArrangement = (AudioMasterOpcodesX) 49;

// Requests from the host to the plug-in.
constexpr int effEditDraw = 16;
constexpr int effEditMouse = 17;
constexpr int effEditTop = 20;
constexpr int effEditSleep = 21;
constexpr int effConnectInput = 31;
constexpr int effConnectOutput = 32;
constexpr int effSetBypass = 44;
constexpr int effGetTailSize = 52;
constexpr int effIdle = 53;
constexpr int effKeysRequired = 57;
constexpr int effGetMidiKeyName = 66;
constexpr int effBeginSetProgram = 67;
constexpr int effEndSetProgram = 68;
constexpr int effGetNumMidiInputChannels = 78;
constexpr int effGetNumMidiOutputChannels = 79;
