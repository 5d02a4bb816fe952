#include "gui/widgets/ComboBoxEx.h"

#include "gui/look/EmbeddedFonts.h"

namespace
{
const juce::Colour background (0xFFE3E3E3);
constexpr int arrowWidth = 20;
} // namespace

ComboBoxEx::ComboBoxEx (const juce::String& name)
    : juce::ComboBox (name)
{
    menu.setListener (this);

    // JUCE's own text label stays, unseen: this box paints its text itself.
    setColour (juce::ComboBox::textColourId, juce::Colours::transparentBlack);
    setColour (juce::ComboBox::backgroundColourId, juce::Colours::transparentBlack);
}

void ComboBoxEx::paint (juce::Graphics& g)
{
    g.fillAll (background);
    g.setColour (juce::Colours::black.withAlpha (isEnabled() ? 1.0f : 0.5f));
    g.setFont (EmbeddedFonts::getTahoma (13.0f, false));

    const auto text = getSelectedId() != 0 ? getText() : juce::String ("---");
    g.drawText (text, getLocalBounds().withTrimmedLeft (4).withTrimmedRight (arrowWidth),
                juce::Justification::centredLeft, true);

    const auto arrowArea = getLocalBounds().removeFromRight (arrowWidth).toFloat().withSizeKeepingCentre (9.0f, 9.0f);
    juce::Path arrow;
    arrow.addTriangle (arrowArea.getTopLeft(), arrowArea.getTopRight(), { arrowArea.getCentreX(), arrowArea.getBottom() - 2.0f });
    g.fillPath (arrow);
}

void ComboBoxEx::showPopup()
{
    menu.clear();

    for (int i = 0; i < getNumItems(); ++i)
        if (getItemId (i) != 0)
            menu.addItem (getItemId (i), getItemText (i));

    menu.showBelow (*this);
}

void ComboBoxEx::popupMenuItemChosen (PopupMenuEx*, int itemId)
{
    setSelectedId (itemId);
}

// JUCE's box opens no list again until it is told the last one closed.
void ComboBoxEx::popupMenuDismissed (PopupMenuEx*)
{
    hidePopup();
}
