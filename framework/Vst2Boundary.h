#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>

// The plug-in as a VST 2.4 host sees it. JUCE's VST client does the work;
// this layer stands between it and the host: it fixes the AEffect fields
// JUCE fills differently, answers the requests JUCE answers differently and
// passes every other request on to JUCE's dispatcher.
//
// Compiled into the VST 2.4 library only.
class Vst2Boundary
{
public:
    static constexpr VstInt32 flags = effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks;
    static constexpr VstInt32 numPrograms = 0;
    static constexpr int numPinsPerSide = 2;

    // Creates the effect through JUCE's entry point and puts the layer in
    // front of it; null when JUCE refuses the host.
    static AEffect* open (audioMasterCallback host);

    static VstIntPtr dispatch (AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt);

private:
    static VstIntPtr canDo (const char* query);
    static VstIntPtr pinProperties (int pin, void* properties);
    static VstIntPtr midiKeyName (void* keyName);
    static void applyFields (AEffect& effect);
};
