#include "gui/look/FrameworkColours.h"

namespace
{
// The nine-colour scheme shared by the framework's widgets and its column
// browser.
constexpr juce::uint32 schemeColours[] = { 0xFFC5C5C5, 0xFFE3E3E3, 0xFFFFFFFF, 0xFFE3E3E3, 0xFF000000,
                                           0xFFADADAD, 0xFFFFFFFF, 0xFF5B5B5B, 0xFFFFFFFF };

// Keyboard kinds: black, white, black, then the opaque greys of level 0.7
// and 0.5.
constexpr juce::uint32 keyboardColours[] = { 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFB2B2B2, 0xFF7F7F7F };

std::vector<std::pair<int, juce::Colour>> makeDefaults()
{
    using C = FrameworkColours;
    std::vector<std::pair<int, juce::Colour>> table {
        { C::windowBackground, juce::Colour (0xFFC5C5C5) },
        { C::windowOutline, juce::Colour (0xFF444444) },
        { C::windowTitleBarFill, juce::Colour (0xFF444444) },
        { C::windowTitleBarOutline, juce::Colour (0xFFFFFFFF) },
        { C::windowFurther, juce::Colour (0xFFFFFFFF) },
    };

    for (int i = 0; i < C::widgetSchemeSize; ++i)
        table.push_back ({ C::widgetSchemeFirst + i, juce::Colour (schemeColours[i]) });

    for (int i = 0; i < C::columnBrowserSchemeSize; ++i)
        table.push_back ({ C::columnBrowserSchemeFirst + i, juce::Colour (schemeColours[i]) });

    for (int i = 0; i < C::keyboardSchemeSize; ++i)
        table.push_back ({ C::keyboardSchemeFirst + i, juce::Colour (keyboardColours[i]) });

    table.insert (table.end(), {
        { C::pathFieldBackground, juce::Colour (0xFFE3E3E3) },
        { C::pathFieldText, juce::Colour (0xFF000000) },
        { C::pathFieldOutline, juce::Colour (0xFFFFFFFF) },
        { C::tabPanelFill, juce::Colour (0xFFC5C5C5) },
        { C::frontTabText, juce::Colour (0xFF000000) },
        { C::tabOutline, juce::Colour (0xFF5B5B5B) },
        { C::statusBarBackground, juce::Colour (0xFF444444) },
        { C::statusBarText, juce::Colour (0xFFFFFFFF) },
        { C::generalBackground, juce::Colour (0xFFE3E3E3) },
    });

    return table;
}
} // namespace

const std::vector<std::pair<int, juce::Colour>>& FrameworkColours::getDefaults()
{
    static const auto defaults = makeDefaults();
    return defaults;
}

juce::Colour FrameworkColours::getDefault (int id)
{
    for (const auto& [colourId, colour] : getDefaults())
        if (colourId == id)
            return colour;

    return juce::Colours::transparentBlack;
}

juce::Colour FrameworkColours::find (const juce::Component& component, int id)
{
    if (component.isColourSpecified (id))
        return component.findColour (id);

    auto& lookAndFeel = component.getLookAndFeel();
    return lookAndFeel.isColourSpecified (id) ? lookAndFeel.findColour (id) : getDefault (id);
}
