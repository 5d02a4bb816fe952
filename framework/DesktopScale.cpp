#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "framework/DesktopScale.h"

#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD
float DesktopScale::get()
{
    auto* windowSystem = juce::XWindowSystem::getInstance();

    if (windowSystem->getDisplay() == nullptr)
        return 1.0f;

    if (auto* settings = windowSystem->getXSettings())
    {
        const auto factor = settings->getSetting (juce::XWindowSystem::getWindowScalingFactorSettingName());

        // GTK knows whole factors only; anything else is not one of its values.
        if (factor.isValid() && factor.integerValue >= 1 && factor.integerValue <= 8)
            return (float) factor.integerValue;
    }

    return 1.0f;
}
#else
float DesktopScale::get()
{
    return 1.0f;
}
#endif

float DesktopScale::getUnappliedPart()
{
    auto& desktop = juce::Desktop::getInstance();
    float applied = 1.0f;

    // A display's scale includes the global one, which is not the window system's.
    if (juce::JUCEApplicationBase::isStandaloneApp())
        if (const auto* display = desktop.getDisplays().getPrimaryDisplay())
            applied = (float) display->scale / desktop.getGlobalScaleFactor();

    return juce::jmax (1.0f, get() / applied);
}
