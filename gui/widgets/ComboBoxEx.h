#pragma once

#include "gui/widgets/PopupMenuEx.h"

// JUCE's combo box drawn in the framework's colours, opening its items as a
// PopupMenuEx inside the editor instead of a desktop window.
class ComboBoxEx : public juce::ComboBox, private PopupMenuEx::Listener
{
public:
    explicit ComboBoxEx (const juce::String& name = {});

    void showPopup() override;
    void paint (juce::Graphics&) override;

    bool isPopupShown() const { return menu.isShown(); }

private:
    void popupMenuItemChosen (PopupMenuEx*, int itemId) override;
    void popupMenuDismissed (PopupMenuEx*) override;

    PopupMenuEx menu;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxEx)
};
