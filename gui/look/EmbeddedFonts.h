#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's text face, "Tahoma", comes from the two TrueType files
// embedded in the plug-in (Wine's Tahoma-compatible faces), so it looks the
// same on every machine whether or not Tahoma is installed.
//
// JUCE resolves a typeface name through the default look and feel; while
// any user holds it (each DefaultLookAndFeel from install() to release()),
// the default one resolves "Tahoma" (any letter case) to the embedded faces
// and leaves every other name to JUCE. The last user's release hands the
// default back where the message manager's lock is held, as the desktop
// asks: JUCE's shutdown, where this object is deleted, runs on a host's
// thread in the VST 2.4 library, without that lock.
class EmbeddedFonts : private juce::DeletedAtShutdown
{
public:
    ~EmbeddedFonts() override;

    static void install();
    static void release();

    // The embedded plain or bold face; null only if the resource is missing.
    static juce::Typeface::Ptr getTahomaTypeface (bool bold);
    // A font of the given height on the embedded face.
    static juce::Font getTahoma (float height, bool bold);
    // The embedded face matching a font named "Tahoma"; null for other names.
    static juce::Typeface::Ptr findTypefaceFor (const juce::Font& font);

    JUCE_DECLARE_SINGLETON (EmbeddedFonts, false)

private:
    EmbeddedFonts();

    struct TypefaceLookup : public juce::LookAndFeel_V4
    {
        juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;
    };

    juce::Typeface::Ptr plain, bold;
    TypefaceLookup lookup;
    int users = 0;
    bool installed = false;

    void uninstall();

    JUCE_DECLARE_NON_COPYABLE (EmbeddedFonts)
};
