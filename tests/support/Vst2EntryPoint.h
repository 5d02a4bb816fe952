#pragma once

#include <juce_core/juce_core.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/LibraryCopy.h"

// The exported VSTPluginMain of the library copy, reached the way a host
// reaches it; null when the library does not load or lacks it. The library
// stays loaded for the whole run, as hosts keep plug-in libraries loaded.
struct Vst2EntryPoint
{
    using Function = AEffect* (*) (audioMasterCallback);

    static Function get()
    {
        static auto* library = new juce::DynamicLibrary (LibraryCopy::get().getFullPathName());
        return reinterpret_cast<Function> (library->getFunction ("VSTPluginMain"));
    }
};
