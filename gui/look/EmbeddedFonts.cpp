#include "gui/look/EmbeddedFonts.h"

#include "framework/EmbeddedResources.h"
#include "gui/look/EmboldenedTypeface.h"
#include "gui/look/FontFileTypeface.h"

namespace
{
// How much heavier the bold face's strokes are drawn, of the font height.
constexpr float boldExtraWidth = 0.045f;

juce::Typeface::Ptr loadTypeface (const char* fileName)
{
    return FontFileTypeface::create (EmbeddedResources::loadResourceData (fileName));
}

juce::Typeface::Ptr loadBoldTypeface()
{
    auto face = loadTypeface ("tahomabd.ttf");
    return face != nullptr ? new EmboldenedTypeface (face, boldExtraWidth) : nullptr;
}
} // namespace

JUCE_IMPLEMENT_SINGLETON (EmbeddedFonts)

EmbeddedFonts::EmbeddedFonts()
    : plain (loadTypeface ("tahoma.ttf")), bold (loadBoldTypeface())
{
}

EmbeddedFonts::~EmbeddedFonts()
{
    // Still installed when the last user was released away from the message
    // thread. Without the lock the desktop keeps just a weak reference to the
    // lookup, which goes with it.
    if (juce::MessageManager::existsAndIsLockedByCurrentThread())
        uninstall();

    clearSingletonInstance();
}

void EmbeddedFonts::install()
{
    // The desktop must exist before this object so that it is deleted after
    // it at shutdown.
    auto& desktop = juce::Desktop::getInstance();
    auto* fonts = getInstance();
    ++fonts->users;

    if (&desktop.getDefaultLookAndFeel() == &fonts->lookup)
        return;

    desktop.setDefaultLookAndFeel (&fonts->lookup);
    fonts->installed = true;

    // Forget any "Tahoma" that was resolved to a system face before.
    juce::Typeface::clearTypefaceCache();
}

void EmbeddedFonts::release()
{
    auto* fonts = getInstanceWithoutCreating();

    if (fonts == nullptr || fonts->users == 0 || --fonts->users > 0)
        return;

    // The LV2 library deletes its instances on the host's thread while
    // JUCE's message thread may be drawing: there the default stays until
    // shutdown.
    if (juce::MessageManager::existsAndIsLockedByCurrentThread())
        fonts->uninstall();
}

void EmbeddedFonts::uninstall()
{
    if (installed && &juce::LookAndFeel::getDefaultLookAndFeel() == &lookup)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    installed = false;
}

juce::Typeface::Ptr EmbeddedFonts::getTahomaTypeface (bool wantBold)
{
    auto* fonts = getInstance();
    return wantBold ? fonts->bold : fonts->plain;
}

juce::Font EmbeddedFonts::getTahoma (float height, bool wantBold)
{
    if (auto face = getTahomaTypeface (wantBold))
        return juce::Font (face).withHeight (height);

    return juce::Font ("Tahoma", height, wantBold ? juce::Font::bold : juce::Font::plain);
}

juce::Typeface::Ptr EmbeddedFonts::findTypefaceFor (const juce::Font& font)
{
    if (! font.getTypefaceName().equalsIgnoreCase ("Tahoma"))
        return nullptr;

    return getTahomaTypeface (font.isBold());
}

juce::Typeface::Ptr EmbeddedFonts::TypefaceLookup::getTypefaceForFont (const juce::Font& font)
{
    if (auto face = findTypefaceFor (font))
        return face;

    return juce::LookAndFeel_V4::getTypefaceForFont (font);
}
