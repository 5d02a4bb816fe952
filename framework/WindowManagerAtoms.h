#pragma once

// JUCE's X11 windows announce their window-manager protocols (WM_PROTOCOLS
// with WM_DELETE_WINDOW, WM_TAKE_FOCUS and _NET_WM_PING) and ask for their
// WM_STATE through atoms that JUCE only looks up and never creates. On an X
// server where no window manager or toolkit has created them yet (a bare
// host under Xvfb, a kiosk session), JUCE holds atom 0 for them, so every
// window it opens sends ChangeProperty and GetProperty requests with atom 0:
// BadAtom errors, and under Xlib's default error handler the end of the host.
//
// ensureCreated() creates those atoms on JUCE's own display connection and
// has JUCE look them up again. Call it on the message thread before a
// window is opened; it does nothing once they exist, and nothing without X.
class WindowManagerAtoms
{
public:
    static void ensureCreated();
    // Whether JUCE's display holds every one of them (false without X).
    static bool areKnownToJuce();
};
