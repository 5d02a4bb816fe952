#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "framework/WindowManagerAtoms.h"

#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD
namespace
{
// The atoms JUCE's window code uses whether or not a window manager runs.
constexpr const char* atomNames[] = { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW",
                                      "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE" };

bool holdsAll (const juce::XWindowSystemUtilities::Atoms& atoms)
{
    using Atoms = juce::XWindowSystemUtilities::Atoms;
    return atoms.protocols != None && atoms.changeState != None && atoms.state != None
        && atoms.protocolList[Atoms::TAKE_FOCUS] != None && atoms.protocolList[Atoms::DELETE_WINDOW] != None
        && atoms.protocolList[Atoms::PING] != None;
}
} // namespace

bool WindowManagerAtoms::areKnownToJuce()
{
    auto* windowSystem = juce::XWindowSystem::getInstance();
    return windowSystem->getDisplay() != nullptr && holdsAll (windowSystem->getAtoms());
}

void WindowManagerAtoms::ensureCreated()
{
    auto* windowSystem = juce::XWindowSystem::getInstance();
    auto* display = windowSystem->getDisplay();

    if (display == nullptr || holdsAll (windowSystem->getAtoms()))
        return;

    auto* x11 = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock xLock;

    for (const auto* name : atomNames)
        x11->xInternAtom (display, name, False);

    // JUCE's table is filled once, when it opens the display; read it again
    // now that the lookups succeed. The table is JUCE's own plain member.
    auto& atoms = const_cast<juce::XWindowSystemUtilities::Atoms&> (windowSystem->getAtoms());
    atoms = juce::XWindowSystemUtilities::Atoms (display);
}
#else
bool WindowManagerAtoms::areKnownToJuce() { return false; }
void WindowManagerAtoms::ensureCreated() {}
#endif
