#pragma once

#include "support/WindowSystem.h"

// A host's own top-level window, shown, whose client area is width x
// height; null when no window can be made.
inline HWND createHostWindow (int width, int height)
{
    static const wchar_t* className = L"QuilvernTestHost";
    static const bool registered = [] {
        WNDCLASSW windowClass {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW (nullptr);
        windowClass.lpszClassName = className;
        return RegisterClassW (&windowClass) != 0;
    }();

    if (! registered)
        return nullptr;

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame { 0, 0, width, height };
    AdjustWindowRect (&frame, style, FALSE);
    auto* window = CreateWindowExW (0, className, L"Quilvern host", style, 40, 40, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW (nullptr), nullptr);

    if (window != nullptr)
        ShowWindow (window, SW_SHOW);

    return window;
}

inline SIZE clientSize (HWND window)
{
    RECT rect {};
    GetClientRect (window, &rect);
    return { rect.right - rect.left, rect.bottom - rect.top };
}
