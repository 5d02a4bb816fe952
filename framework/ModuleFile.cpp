#include "framework/ModuleFile.h"

#if JUCE_WINDOWS
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #include <windows.h>

 #include <vector>
#else
 #include <dlfcn.h>

 #include <climits>
 #include <cstdlib>
#endif

namespace
{
// Any function defined in this module serves as the address to look up.
void moduleAnchor() {}

#if JUCE_WINDOWS
// Windows path names hold at most 32767 UTF-16 units.
constexpr size_t longestPath = 32768;

// A library loaded through a \\?\ name reports it that way; JUCE's files
// take the plain form ("\\?\UNC\server\share" is "\\server\share").
juce::String withoutVerbatimPrefix (const juce::String& path)
{
    if (path.startsWith ("\\\\?\\UNC\\"))
        return "\\\\" + path.substring (8);

    if (path.startsWith ("\\\\?\\"))
        return path.substring (4);

    return path;
}

juce::File findModuleFile()
{
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;

    if (! GetModuleHandleExW (flags, reinterpret_cast<LPCWSTR> (&moduleAnchor), &module))
        return {};

    // The name is cut off, without an error on every version, when the buffer
    // is too small: it grows until the name fits with room to spare.
    for (std::vector<wchar_t> name (MAX_PATH); name.size() <= longestPath; name.resize (name.size() * 2))
    {
        const DWORD length = GetModuleFileNameW (module, name.data(), (DWORD) name.size());

        if (length == 0)
            return {};

        if (length < name.size() - 1)
            return juce::File (withoutVerbatimPrefix (juce::String (name.data(), (size_t) length)));
    }

    return {};
}
#else
juce::File findModuleFile()
{
    Dl_info info {};

    if (dladdr (reinterpret_cast<void*> (&moduleAnchor), &info) == 0 || info.dli_fname == nullptr)
        return {};

    char resolved[PATH_MAX];

    if (realpath (info.dli_fname, resolved) != nullptr)
        return juce::File (juce::CharPointer_UTF8 (resolved));

    return juce::File::getCurrentWorkingDirectory().getChildFile (juce::CharPointer_UTF8 (info.dli_fname));
}
#endif
} // namespace

juce::File ModuleFile::getModuleFile()
{
    const auto file = findModuleFile();

    if (file == juce::File())
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile);

    return file;
}

juce::File ModuleFile::getModuleDirectory()
{
    return getModuleFile().getParentDirectory();
}

juce::File ModuleFile::getUserHomeFolder()
{
    return juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}
