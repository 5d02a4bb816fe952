#pragma once

#include <juce_core/juce_core.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#if ! defined (_WIN32)
 #include <dlfcn.h>
#endif

#include "support/LibraryCopy.h"

// The exported VSTPluginMain of the library copy, reached the way a host
// reaches it; null when the library does not load or lacks it. The library
// stays loaded for the whole run, as hosts keep plug-in libraries loaded.
// On Linux it is opened with dlopen rather than a juce::DynamicLibrary that
// is never deleted, which trips JUCE's leak detector at exit in the Debug
// sanitizer build.
struct Vst2EntryPoint
{
    using Function = AEffect* (*) (audioMasterCallback);

    static Function get()
    {
#if defined (_WIN32)
        // Windows keeps the file of a loaded library: freed among the static
        // objects at exit, before the copy's folder goes (the copy was made
        // first, so it is destroyed last).
        static juce::DynamicLibrary library (LibraryCopy::get().getFullPathName());
        return reinterpret_cast<Function> (library.getFunction ("VSTPluginMain"));
#else
        static void* const library = dlopen (LibraryCopy::get().getFullPathName().toRawUTF8(),
                                             RTLD_NOW | RTLD_LOCAL);
        return library == nullptr ? nullptr
                                  : reinterpret_cast<Function> (dlsym (library, "VSTPluginMain"));
#endif
    }
};
