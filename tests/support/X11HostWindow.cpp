#include "support/X11HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace
{
std::atomic<int> errorCount { 0 };
std::mutex lastErrorLock;
std::string lastError;

int countError (Display* display, XErrorEvent* event)
{
    char text[128] = {};
    XGetErrorText (display, event->error_code, text, sizeof (text));
    char description[256] = {};
    std::snprintf (description, sizeof (description), "%s (error %d, request %d.%d, resource 0x%lx)", text,
                   event->error_code, event->request_code, event->minor_code, event->resourceid);
    {
        const std::lock_guard<std::mutex> lock (lastErrorLock);
        lastError = description;
    }
    std::fprintf (stderr, "X error: %s\n", description);
    ++errorCount;
    return 0;
}

// What hosts do first of all: Xlib may be used from several threads, and
// every X error of the process is counted instead of ending it.
const bool xlibPrepared = [] {
    XInitThreads();
    XSetErrorHandler (countError);
    return true;
}();

Display* asDisplay (void* d) { return static_cast<Display*> (d); }

// The host's one connection, open for the whole program as a host's is.
// (Xvfb resets itself when its last client leaves, and refuses new clients
// for a moment while it does.)
Display* getHostDisplay()
{
    static Display* const hostDisplay = XOpenDisplay (nullptr);
    return hostDisplay;
}
} // namespace

X11HostWindow::X11HostWindow (int width, int height)
{
    (void) xlibPrepared;
    auto* d = getHostDisplay();
    display = d;

    if (d == nullptr)
        return;

    const int screen = DefaultScreen (d);
    window = XCreateSimpleWindow (d, RootWindow (d, screen), 0, 0, (unsigned) width, (unsigned) height, 0,
                                  BlackPixel (d, screen), BlackPixel (d, screen));
    XSelectInput (d, window, StructureNotifyMask | SubstructureNotifyMask | ExposureMask);
    XMapWindow (d, window);
    XSync (d, False);
}

X11HostWindow::~X11HostWindow()
{
    if (display == nullptr)
        return;

    XDestroyWindow (asDisplay (display), window);
    XSync (asDisplay (display), True);
}

void X11HostWindow::resize (int width, int height)
{
    XResizeWindow (asDisplay (display), window, (unsigned) width, (unsigned) height);
    XSync (asDisplay (display), False);
}

X11HostWindow::Size X11HostWindow::getSize() const
{
    XWindowAttributes attributes {};
    XGetWindowAttributes (asDisplay (display), window, &attributes);
    return { attributes.width, attributes.height };
}

void X11HostWindow::resizeChildren (int width, int height)
{
    auto* d = asDisplay (display);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree (d, window, &root, &parent, &children, &count);

    for (unsigned int i = 0; i < count; ++i)
        XResizeWindow (d, children[i], (unsigned) width, (unsigned) height);

    if (children != nullptr)
        XFree (children);

    XSync (d, False);
}

int X11HostWindow::getNumChildren() const
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree (asDisplay (display), window, &root, &parent, &children, &count);

    if (children != nullptr)
        XFree (children);

    return (int) count;
}

X11HostWindow::Size X11HostWindow::getInnermostChildSize() const
{
    auto* d = asDisplay (display);
    XSync (d, False);
    Window innermost = window;
    XWindowAttributes attributes {};
    XGetWindowAttributes (d, innermost, &attributes);

    for (;;)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree (d, innermost, &root, &parent, &children, &count);
        Window largest = 0;
        XWindowAttributes largestAttributes {};

        // JUCE puts a small window for the keyboard beside an embedded view.
        for (unsigned int i = 0; i < count; ++i)
        {
            XWindowAttributes child {};

            if (XGetWindowAttributes (d, children[i], &child) != 0
                && child.width * child.height > largestAttributes.width * largestAttributes.height)
            {
                largest = children[i];
                largestAttributes = child;
            }
        }

        if (children != nullptr)
            XFree (children);

        if (largest == 0)
            break;

        innermost = largest;
        attributes = largestAttributes;
    }

    return { attributes.width, attributes.height };
}

void X11HostWindow::processEvents()
{
    auto* d = asDisplay (display);

    while (XPending (d) > 0)
    {
        XEvent event;
        XNextEvent (d, &event);
    }
}

std::vector<std::uint32_t> X11HostWindow::capture (int x, int y, int width, int height) const
{
    std::vector<std::uint32_t> pixels;
    auto* d = asDisplay (display);
    XSync (d, False);
    auto* image = XGetImage (d, window, x, y, (unsigned) width, (unsigned) height, AllPlanes, ZPixmap);

    if (image == nullptr)
        return pixels;

    pixels.reserve ((size_t) (width * height));

    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels.push_back ((std::uint32_t) XGetPixel (image, column, row) & 0xffffffu);

    XDestroyImage (image);
    return pixels;
}

std::uint32_t X11HostWindow::pixelAt (int x, int y) const
{
    const auto pixels = capture (x, y, 1, 1);
    return pixels.empty() ? 0 : pixels.front();
}

unsigned long X11HostWindow::findDeepestWindowAt (int& x, int& y) const
{
    auto* d = asDisplay (display);
    Window target = window;

    for (;;)
    {
        Window child = 0;
        int childX = 0, childY = 0;

        if (! XTranslateCoordinates (d, target, target, x, y, &childX, &childY, &child) || child == 0)
            return target;

        Window unused = 0;
        XTranslateCoordinates (d, target, child, x, y, &childX, &childY, &unused);
        target = child;
        x = childX;
        y = childY;
    }
}

void X11HostWindow::click (int x, int y, bool withControl)
{
    auto* d = asDisplay (display);
    int targetX = x, targetY = y;
    const auto target = findDeepestWindowAt (targetX, targetY);
    int rootX = 0, rootY = 0;
    Window unused = 0;
    XTranslateCoordinates (d, window, DefaultRootWindow (d), x, y, &rootX, &rootY, &unused);
    const unsigned int modifiers = withControl ? ControlMask : 0;

    XEvent motion {};
    motion.xmotion = { MotionNotify, 0, True, d, target, DefaultRootWindow (d), 0, eventTime++,
                       targetX, targetY, rootX, rootY, modifiers, NotifyNormal, True };
    XSendEvent (d, target, True, PointerMotionMask, &motion);

    for (const int type : { ButtonPress, ButtonRelease })
    {
        XEvent event {};
        const unsigned int state = modifiers | (type == ButtonRelease ? Button1Mask : 0u);
        event.xbutton = { type, 0, True, d, target, DefaultRootWindow (d), 0, eventTime++,
                          targetX, targetY, rootX, rootY, state, Button1, True };
        XSendEvent (d, target, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
    }

    XSync (d, False);
}

void X11HostWindow::typeCharacter (char character)
{
    sendKey ((unsigned long) (unsigned char) character);
}

void X11HostWindow::pressKey (unsigned long keySymbol)
{
    sendKey (keySymbol);
}

void X11HostWindow::sendKey (unsigned long keySymbol)
{
    auto* d = asDisplay (display);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus (d, &focus, &revert);

    if (focus == None || focus == PointerRoot)
        focus = window;

    const auto keyCode = XKeysymToKeycode (d, keySymbol);
    const bool shifted = XkbKeycodeToKeysym (d, keyCode, 0, 0) != keySymbol;

    for (const int type : { KeyPress, KeyRelease })
    {
        XEvent event {};
        event.xkey = { type, 0, True, d, focus, DefaultRootWindow (d), 0, eventTime++,
                       1, 1, 1, 1, shifted ? ShiftMask : 0u, keyCode, True };
        XSendEvent (d, focus, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }

    XSync (d, False);
}

namespace
{
// One XSETTINGS entry of an integer, little endian, padded to 4 bytes.
void appendIntegerSetting (std::vector<unsigned char>& data, const std::string& name, int value)
{
    const auto put32 = [&data] (std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back ((unsigned char) (v >> (8 * i)));
    };

    data.push_back (0); // integer
    data.push_back (0);
    data.push_back ((unsigned char) (name.size() & 0xff));
    data.push_back ((unsigned char) (name.size() >> 8));
    data.insert (data.end(), name.begin(), name.end());
    data.resize ((data.size() + 3) & ~(size_t) 3, 0);
    put32 (0); // serial of the last change
    put32 ((std::uint32_t) value);
}
} // namespace

void X11HostWindow::publishDesktopScale (int factor)
{
    auto* d = getHostDisplay();

    if (d == nullptr)
        return;

    std::vector<unsigned char> data { 0 /* LSBFirst */, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0 };
    appendIntegerSetting (data, "Gdk/WindowScalingFactor", factor);
    appendIntegerSetting (data, "Xft/DPI", 96 * 1024 * factor);

    const auto owner = XCreateSimpleWindow (d, DefaultRootWindow (d), -10, -10, 1, 1, 0, 0, 0);
    const auto settings = XInternAtom (d, "_XSETTINGS_SETTINGS", False);
    XChangeProperty (d, owner, settings, settings, 8, PropModeReplace, data.data(), (int) data.size());
    XSetSelectionOwner (d, XInternAtom (d, "_XSETTINGS_S0", False), owner, CurrentTime);
    XSync (d, False);
}

void X11HostWindow::createWindowManagerAtoms()
{
    auto* d = getHostDisplay();

    if (d == nullptr)
        return;

    for (const auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE" })
        XInternAtom (d, name, False);

    XSync (d, False);
}

int X11HostWindow::getErrorCount()
{
    return errorCount.load();
}

std::string X11HostWindow::getLastError()
{
    const std::lock_guard<std::mutex> lock (lastErrorLock);
    return lastError;
}
