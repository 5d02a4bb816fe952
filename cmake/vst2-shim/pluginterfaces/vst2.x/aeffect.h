// VST 2.4 plug-in interface for JUCE's VST client and hosting code, provided by
// the FST headers that Debian ships (pluginterfaces/fst). The speaker
// arrangement layout and the numbers of the requests FST leaves unnumbered
// are corrected in aeffectx.h.
#pragma once
#include "aeffectx.h"
