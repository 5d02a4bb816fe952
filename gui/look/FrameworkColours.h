#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The framework's own colour ids (all in 0x0F00xxxx) with their default
// values. DefaultLookAndFeel sets every one of them; a widget placed under
// another look and feel still finds its colour through find().
class FrameworkColours
{
public:
    enum Id : int
    {
        generalBackground = 0x0F000000,

        windowBackground = 0x0F001000,
        windowOutline = 0x0F001001,
        windowTitleBarFill = 0x0F001002,
        windowTitleBarOutline = 0x0F001003, // also the title text
        windowFurther = 0x0F001004,

        widgetSchemeFirst = 0x0F001100, // nine colours
        keyboardSchemeFirst = 0x0F002100, // five colours

        pathFieldBackground = 0x0F002200,
        pathFieldText = 0x0F002201,
        pathFieldOutline = 0x0F002202,

        tabPanelFill = 0x0F003000,
        frontTabText = 0x0F003001,
        tabOutline = 0x0F003002, // also the text of the other tabs and the line under the tabs

        columnBrowserSchemeFirst = 0x0F003100, // nine colours

        statusBarBackground = 0x0F004001,
        statusBarText = 0x0F004002
    };

    static constexpr int widgetSchemeSize = 9;
    static constexpr int keyboardSchemeSize = 5;
    static constexpr int columnBrowserSchemeSize = 9;

    // Every framework id with its default, in table order.
    static const std::vector<std::pair<int, juce::Colour>>& getDefaults();
    // The default of one id; transparent black for an id outside the table.
    static juce::Colour getDefault (int id);

    // The component's own colour, else its look and feel's, else the default.
    static juce::Colour find (const juce::Component& component, int id);
};
