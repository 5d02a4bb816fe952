#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's text face, "Tahoma", comes from the two TrueType files
// embedded in the plug-in (Wine's Tahoma-compatible faces), so it looks the
// same on every machine whether or not Tahoma is installed.
//
// JUCE resolves a typeface name through the default look and feel; install()
// makes the plug-in's default one resolve "Tahoma" (any letter case) to the
// embedded faces and leave every other name to JUCE.
class EmbeddedFonts : private juce::DeletedAtShutdown
{
public:
    ~EmbeddedFonts() override;

    static void install();

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
    bool installed = false;

    JUCE_DECLARE_NON_COPYABLE (EmbeddedFonts)
};
