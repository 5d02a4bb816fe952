#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a bare Linux host gives a plug-in's editor: a top-level window of its
// own on the X display (Xlib, no toolkit, no window manager under Xvfb),
// whose id goes to the plug-in, and an X error handler that counts every
// error of the process, the plug-in's own display connection included.
//
// Input is delivered as the X server delivers it: a click goes to the
// deepest window under the point, keys to the window with the input focus.
class X11HostWindow
{
public:
    struct Size
    {
        int width = 0, height = 0;
    };

    X11HostWindow (int width, int height);
    ~X11HostWindow();

    // False without an X display.
    bool isOpen() const noexcept { return display != nullptr; }
    unsigned long getWindowId() const noexcept { return window; }

    void resize (int width, int height);
    Size getSize() const;
    // Resizes the windows the plug-in put into this one, as a host that
    // sizes the plug-in's window itself does.
    void resizeChildren (int width, int height);
    // The windows the plug-in put into this one.
    int getNumChildren() const;
    // The size of the plug-in's view as the X server has it: the window at the
    // end of the chain of largest children (the host's own without one).
    Size getInnermostChildSize() const;
    // Reads and handles what the server sent to this connection.
    void processEvents();

    // 0xRRGGBB of each pixel of the area as the screen shows it, row by row,
    // the plug-in's windows inside this one included.
    std::vector<std::uint32_t> capture (int x, int y, int width, int height) const;
    std::uint32_t pixelAt (int x, int y) const;

    // A press and release of the left button at a point of this window;
    // withControl holds Ctrl down.
    void click (int x, int y, bool withControl = false);
    // A press and release of the key that types the character (ASCII), or of
    // the key with the X key symbol.
    void typeCharacter (char character);
    void pressKey (unsigned long keySymbol);

    // Publishes the XSETTINGS a GNOME-style session with a desktop scale
    // publishes (Gdk/WindowScalingFactor, and Xft/DPI at 96 per step), as the
    // owner of the settings selection, until the program ends. Call it
    // before the plug-in opens its display connection.
    static void publishDesktopScale (int factor);

    // Creates the atoms JUCE's windows announce to a window manager, which
    // JUCE only looks up; for hosts of our own that are JUCE programs.
    static void createWindowManagerAtoms();

    // X errors since the program started, and the last one.
    static int getErrorCount();
    static std::string getLastError();

private:
    unsigned long findDeepestWindowAt (int& x, int& y) const;
    void sendKey (unsigned long keySymbol);

    void* display = nullptr;
    unsigned long window = 0;
    unsigned long eventTime = 1000;
};
