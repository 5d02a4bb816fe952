#include "framework/ModuleFile.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace
{
// Any function defined in this module serves as the address to look up.
void moduleAnchor() {}
} // namespace

juce::File ModuleFile::getModuleFile()
{
    Dl_info info {};

    if (dladdr (reinterpret_cast<void*> (&moduleAnchor), &info) == 0 || info.dli_fname == nullptr)
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile);

    char resolved[PATH_MAX];

    if (realpath (info.dli_fname, resolved) != nullptr)
        return juce::File (juce::CharPointer_UTF8 (resolved));

    return juce::File::getCurrentWorkingDirectory().getChildFile (juce::CharPointer_UTF8 (info.dli_fname));
}

juce::File ModuleFile::getModuleDirectory()
{
    return getModuleFile().getParentDirectory();
}

juce::File ModuleFile::getUserHomeFolder()
{
    return juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}
