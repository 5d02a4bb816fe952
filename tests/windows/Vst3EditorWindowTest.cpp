// Opens the VST3 plug-in's editor the way a Windows VST3 host does, through
// JUCE's VST3 hosting: the host's editor window goes into a window of the
// host's own, and the plug-in's view is attached to the HWND the host made
// for it. Opened and closed twice: the plug-in keeps one editor component
// and shows it again in a new view. Skipped where no window can be made
// (under wine: without an X display).
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include "support/MessagePump.h"
#include "support/TestedVst3Bundle.h"
#include "support/Vst3Instance.h"
#include "support/WindowSystem.h"
#include "windows/Win32HostWindow.h"

#include <vector>

namespace
{
constexpr int faceWidth = 633;
constexpr int faceHeight = 223;

// The windows inside the host's window that the plug-in's module made (JUCE
// registers its window classes with the instance handle of the module it
// was compiled into).
std::vector<HWND> windowsOfModule (HWND host, HMODULE module)
{
    struct Search
    {
        HMODULE module;
        std::vector<HWND> found;
    } search { module, {} };

    EnumChildWindows (
        host,
        [] (HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<Search*> (parameter);

            if (reinterpret_cast<HMODULE> (GetClassLongPtrW (window, GCLP_HMODULE)) == s.module)
                s.found.push_back (window);

            return TRUE;
        },
        reinterpret_cast<LPARAM> (&search));

    return search.found;
}
} // namespace

TEST (Vst3EditorWindow, OpensInsideTheHostsWindowAndClosesTwice)
{
    if (! canCreateWindows())
        GTEST_SKIP() << "no window system (under wine: no X display)";

    static const TestedVst3Bundle bundle;
    auto instance = loadVst3Instance (bundle.get(), 44100.0, 512);
    ASSERT_NE (instance, nullptr) << "no VST3 plug-in loaded from " << bundle.get().getFullPathName();

    auto* module = GetModuleHandleW (findVst3PluginFile (bundle.get()).toWideCharPointer());
    ASSERT_NE (module, nullptr);

    auto* host = createHostWindow (faceWidth, faceHeight);
    ASSERT_NE (host, nullptr);

    for (int opening = 0; opening < 2; ++opening)
    {
        SCOPED_TRACE ("opening " + std::to_string (opening));
        std::unique_ptr<juce::AudioProcessorEditor> editor (instance->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        // The face with its status bar below, as the view reports it.
        EXPECT_EQ (editor->getWidth(), faceWidth);
        EXPECT_EQ (editor->getHeight(), faceHeight);

        editor->addToDesktop (0, host);
        editor->setVisible (true);
        MessagePump::runUntil ([&] {
            const auto windows = windowsOfModule (host, module);
            return ! windows.empty() && IsWindowVisible (windows.front()) && clientSize (windows.front()).cx == faceWidth
                && clientSize (windows.front()).cy == faceHeight;
        });

        const auto pluginWindows = windowsOfModule (host, module);
        ASSERT_FALSE (pluginWindows.empty()) << "no window of the plug-in inside the host's";
        EXPECT_TRUE (IsWindowVisible (pluginWindows.front()));
        EXPECT_EQ (clientSize (pluginWindows.front()).cx, faceWidth);
        EXPECT_EQ (clientSize (pluginWindows.front()).cy, faceHeight);

        editor.reset();
        MessagePump::runUntil ([&] { return windowsOfModule (host, module).empty(); });
        EXPECT_TRUE (windowsOfModule (host, module).empty()) << "the plug-in's window is gone";
    }

    DestroyWindow (host);
}
