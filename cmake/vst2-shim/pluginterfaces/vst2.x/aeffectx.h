// VST 2.4 extended interface, taken from Debian's FST headers.
//
// FST declares VstSpeakerArrangement::speakers as a flexible array member,
// while JUCE sizes speaker-arrangement buffers as if the struct held eight
// entries (as the original SDK's struct does). FST's type is renamed while
// its header is read and replaced by a struct with the eight-entry layout, so
// that JUCE's copies stay inside the memory it allocates.
#pragma once

#define VstSpeakerArrangement FstFlexibleSpeakerArrangement
#include <pluginterfaces/fst/aeffectx.h>
#undef VstSpeakerArrangement

struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
};
