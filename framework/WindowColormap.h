#pragma once

namespace juce
{
class ComponentPeer;
}

// JUCE gives every X11 window it opens a colormap of its own and never frees
// it: each opening of the editor would leave one behind in the X server and
// a record of it in Xlib (48 bytes), until the display closes with the last
// instance. The owner of such a window frees the colormap when the window
// goes away. Message thread only; nothing happens without X.
class WindowColormap
{
public:
    // The colormap JUCE made for the peer's window; 0 for the screen's
    // default one.
    static unsigned long find (juce::ComponentPeer& peer);
    static void free (unsigned long colormap);
    // Frees the colormap of a window JUCE is about to destroy.
    static void release (juce::ComponentPeer& peer);
};
