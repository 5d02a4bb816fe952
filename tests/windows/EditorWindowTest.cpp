// Opens the editor the way a Windows VST 2.4 host does: the host makes a
// window of its own, asks for the editor's size, passes its window to
// effEditOpen and keeps its message loop and effEditIdle going. Skipped
// where no window can be made (under wine: without an X display).
#include <gmock/gmock.h>

#include "support/Vst2EntryPoint.h"
#include "support/WindowSystem.h"
#include "windows/Win32HostWindow.h"

#include <cmath>

namespace
{
VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The host's message loop, with the editor's idle call as hosts make it,
// until the condition holds; false when it did not within the time-out.
template <typename Condition>
bool runHostLoop (AEffect* effect, Condition done, DWORD timeoutMilliseconds = 5000)
{
    const auto end = GetTickCount64() + timeoutMilliseconds;

    while (! done())
    {
        if (GetTickCount64() >= end)
            return false;

        MSG message;

        while (PeekMessageW (&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage (&message);
            DispatchMessageW (&message);
        }

        effect->dispatcher (effect, effEditIdle, 0, 0, nullptr, 0.0f);
        Sleep (10);
    }

    return true;
}

// The scale of the screen, from Windows' DPI setting (96 is 100 %), which
// the plug-in follows on its own.
double screenScale()
{
    auto* screen = GetDC (nullptr);
    const auto dpi = GetDeviceCaps (screen, LOGPIXELSX);
    ReleaseDC (nullptr, screen);
    return dpi / 96.0;
}
} // namespace

TEST (EditorWindow, OpensInsideTheHostsWindowAndClosesAgain)
{
    if (! canCreateWindows())
        GTEST_SKIP() << "no window system (under wine: no X display)";

    ASSERT_NE (Vst2EntryPoint::get(), nullptr) << "cannot load " << LibraryCopy::get().getFullPathName();
    auto* effect = Vst2EntryPoint::get() (&hostCallback);
    ASSERT_NE (effect, nullptr);
    effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);

    ERect* rect = nullptr;
    effect->dispatcher (effect, effEditGetRect, 0, 0, &rect, 0.0f);
    ASSERT_NE (rect, nullptr);
    // The face with its status bar below, at 1x until the editor is open.
    EXPECT_EQ (rect->right - rect->left, 633);
    EXPECT_EQ (rect->bottom - rect->top, 223);

    // Then at the scale of the screen.
    const int width = (int) std::lround (633 * screenScale()), height = (int) std::lround (223 * screenScale());
    auto* host = createHostWindow (width, height);
    ASSERT_NE (host, nullptr);

    // Twice: the editor component persists and is shown again in a new window.
    for (int opening = 0; opening < 2; ++opening)
    {
        EXPECT_NE (effect->dispatcher (effect, effEditOpen, 0, 0, host, 0.0f), 0) << "opening " << opening;
        runHostLoop (effect, [&] {
            auto* editor = GetWindow (host, GW_CHILD);
            return editor != nullptr && IsWindowVisible (editor) && clientSize (editor).cx == width && clientSize (editor).cy == height;
        });

        auto* editor = GetWindow (host, GW_CHILD);
        ASSERT_NE (editor, nullptr) << "opening " << opening;
        EXPECT_TRUE (IsWindowVisible (editor));
        EXPECT_EQ (clientSize (editor).cx, width);
        EXPECT_EQ (clientSize (editor).cy, height);
        effect->dispatcher (effect, effEditGetRect, 0, 0, &rect, 0.0f);
        EXPECT_EQ (rect->right - rect->left, width) << "the size the host is told";
        EXPECT_EQ (rect->bottom - rect->top, height);

        effect->dispatcher (effect, effEditClose, 0, 0, nullptr, 0.0f);
        runHostLoop (effect, [host] { return GetWindow (host, GW_CHILD) == nullptr; });
        EXPECT_EQ (GetWindow (host, GW_CHILD), nullptr) << "opening " << opening;
    }

    DestroyWindow (host);
    effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
}
