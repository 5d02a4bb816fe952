#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "framework/WindowColormap.h"

#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD
unsigned long WindowColormap::find (juce::ComponentPeer& peer)
{
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    const auto window = (::Window) peer.getNativeHandle();

    if (display == nullptr || window == 0)
        return 0;

    auto* x11 = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    XWindowAttributes attributes {};

    if (x11->xGetWindowAttributes (display, window, &attributes) == 0)
        return 0;

    // The macro reads the display's own record; JUCE loads Xlib at run time.
    const auto defaultColormap = DefaultColormap (display, x11->xDefaultScreen (display));
    return attributes.colormap != defaultColormap ? attributes.colormap : 0;
}

void WindowColormap::free (unsigned long colormap)
{
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();

    if (display == nullptr || colormap == 0)
        return;

    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    juce::X11Symbols::getInstance()->xFreeColormap (display, colormap);
}
#else
unsigned long WindowColormap::find (juce::ComponentPeer&) { return 0; }
void WindowColormap::free (unsigned long) {}
#endif

void WindowColormap::release (juce::ComponentPeer& peer)
{
    free (find (peer));
}
