#pragma once

#include <dlfcn.h>
#include <juce_core/juce_core.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/LibraryCopy.h"

// The exported VSTPluginMain of the library copy, reached the way a host
// reaches it; null when the library does not load or lacks it. The library
// stays loaded for the whole run, as hosts keep plug-in libraries loaded;
// it is opened with dlopen rather than a juce::DynamicLibrary, which would
// never be deleted and so trip JUCE's leak detector at exit.
struct Vst2EntryPoint
{
    using Function = AEffect* (*) (audioMasterCallback);

    static Function get()
    {
        static void* const library = dlopen (LibraryCopy::get().getFullPathName().toRawUTF8(),
                                             RTLD_NOW | RTLD_LOCAL);
        return library == nullptr ? nullptr
                                  : reinterpret_cast<Function> (dlsym (library, "VSTPluginMain"));
    }
};
