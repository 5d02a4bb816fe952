#pragma once

#ifdef _WIN32
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #include <windows.h>
#endif

// Whether this process can make windows. On Windows a plug-in's JUCE
// delivers its asynchronous messages through a hidden window, and editors
// live in windows; wine without an X display can make none. On Linux the
// plug-in's message loop needs no display, so the answer is always yes.
inline bool canCreateWindows()
{
   #ifdef _WIN32
    // A hidden top-level window, as JUCE makes for its messages.
    auto* window = CreateWindowExW (0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);

    if (window == nullptr)
        return false;

    DestroyWindow (window);
   #endif
    return true;
}
