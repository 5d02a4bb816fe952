#pragma once

// The scale the desktop asks every window to be drawn at, where the window
// system publishes one: on Linux the XSETTINGS value
// Gdk/WindowScalingFactor of GNOME-style sessions (what GTK hosts size their
// windows by, and what JUCE's own display list reads for a standalone
// program, but never for a plug-in). 1 where nothing says, and on other
// systems, whose hosts pass the monitor's scale themselves.
//
// Message thread only.
class DesktopScale
{
public:
    static float get();

    // The part of the desktop's scale JUCE's window does not apply by itself:
    // all of it in a plug-in, and in the standalone program what its
    // display list lacks (at least 1).
    static float getUnappliedPart();
};
