#include "framework/FileFailure.h"

#if JUCE_WINDOWS
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #include <windows.h>
#else
 #include <cerrno>
 #include <cstring>
#endif

juce::Result FileFailure::fromSystem (const juce::String& reason)
{
    auto sentence = reason.trim();

    if (sentence.isEmpty())
        return juce::Result::fail ("The system gave no reason.");

    sentence = sentence.substring (0, 1).toUpperCase() + sentence.substring (1);

    if (! sentence.endsWithChar ('.'))
        sentence << '.';

    return juce::Result::fail (sentence);
}

juce::Result FileFailure::lastSystemError()
{
   #if JUCE_WINDOWS
    const auto error = GetLastError();
    wchar_t text[512] = {};
    FormatMessageW (FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                    MAKELANGID (LANG_NEUTRAL, SUBLANG_DEFAULT), text, (DWORD) juce::numElementsInArray (text) - 1,
                    nullptr);
    return fromSystem (juce::String (text));
   #else
    return fromSystem (std::strerror (errno));
   #endif
}

juce::Result FileFailure::fileMissing() { return juce::Result::fail ("The file does not exist."); }
juce::Result FileFailure::folderMissing() { return juce::Result::fail ("The folder does not exist."); }
juce::Result FileFailure::fileEmpty() { return juce::Result::fail ("The file is empty."); }

juce::Result FileFailure::damaged (const juce::String& kind)
{
    return juce::Result::fail ("The file is damaged or is not a " + kind + " file.");
}

juce::Result FileFailure::notOfKind (const juce::String& kind)
{
    return juce::Result::fail ("The file is not a " + kind + " file.");
}

juce::Result FileFailure::ofAnotherPlugin (const juce::String& kind, const juce::String& pluginName)
{
    const auto name = pluginName.trim();
    return juce::Result::fail ("The " + kind + " belongs to another plug-in" + (name.isEmpty() ? "" : " (" + name + ")") + ".");
}

juce::Result FileFailure::noPresetsOf (const juce::String& pluginName)
{
    return juce::Result::fail ("The bank holds no presets of " + pluginName + ".");
}
