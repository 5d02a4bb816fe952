#include "gui/widgets/RadioButtons.h"

#include "framework/ListenerWalk.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedImages.h"

namespace
{
constexpr int radioGroupId = 1;
const juce::Colour frameColour (0xFF7C7C7C);
const juce::Colour titleBackground (0xFFC5C5C5);
} // namespace

RadioButtons::RadioButtons (const juce::String& groupTitle, const juce::StringArray& choiceTexts)
    : title (groupTitle), choices (choiceTexts)
{
    for (int i = 0; i < choices.size(); ++i)
    {
        auto* button = buttons.add (new ImageToggleButton ("RadioButton" + juce::String (i)));
        button->setRadioGroupId (radioGroupId, juce::dontSendNotification);
        button->setImages (EmbeddedImages::getRadioButton (false), EmbeddedImages::getRadioButton (true));
        button->onClick = [this, i] { buttonClicked (i); };
        addAndMakeVisible (button);
    }

    updateLayout();
}

void RadioButtons::setSelectedIndex (int index, juce::NotificationType notification)
{
    if (! juce::isPositiveAndBelow (index, buttons.size()))
        index = -1;

    if (index == selectedIndex)
        return;

    selectedIndex = index;

    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setToggleState (i == index, juce::dontSendNotification);

    selectedIndexChanged();

    if (notification != juce::dontSendNotification)
        callListenersLastFirst (listeners, [this] (Listener& l) { l.radioButtonsChanged (this); });
}

void RadioButtons::buttonClicked (int index)
{
    setSelectedIndex (index, juce::sendNotification);
}

void RadioButtons::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void RadioButtons::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

int RadioButtons::getTitleHeight() const
{
    return juce::roundToInt (metrics.titleFont.getHeight());
}

int RadioButtons::getFirstRowTop() const
{
    return getTitleHeight() + metrics.spacing;
}

int RadioButtons::getTextX() const
{
    int widestButton = 0;

    for (auto* button : buttons)
        widestButton = juce::jmax (widestButton, button->getWidth());

    return widestButton + metrics.leftMargin + metrics.textGap + 1;
}

int RadioButtons::getChoiceTextWidth (int index) const
{
    return metrics.choiceFont.getStringWidth (choices[index]);
}

juce::Rectangle<int> RadioButtons::getChoiceTextBounds (int index) const
{
    const int x = getTextX();
    return { x, getFirstRowTop() + index * metrics.rowHeight, getWidth() - x, metrics.rowHeight };
}

juce::Rectangle<int> RadioButtons::getTitleArea() const
{
    return { metrics.titleInset - metrics.titleGap, 0,
             metrics.titleFont.getStringWidth (title) + 2 * metrics.titleGap, getTitleHeight() };
}

void RadioButtons::updateLayout()
{
    int widestButton = 0, tallestButton = 0, widestText = 0;

    for (int i = 0; i < buttons.size(); ++i)
    {
        widestButton = juce::jmax (widestButton, buttons[i]->getWidth());
        tallestButton = juce::jmax (tallestButton, buttons[i]->getHeight());
        widestText = juce::jmax (widestText, getChoiceTextWidth (i));
    }

    const int width = juce::jmax (getWidth(), metrics.titleFont.getStringWidth (title) + 2 * metrics.titleInset,
                                  widestText + 2 * metrics.leftMargin + metrics.textGap + widestButton + 2);
    const int height = buttons.size() * metrics.rowHeight + 2 * metrics.spacing + getTitleHeight();
    setSize (width, height);

    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setTopLeftPosition (metrics.leftMargin + 1, i * metrics.rowHeight
                                                                    + (metrics.rowHeight - tallestButton) / 2
                                                                    + getFirstRowTop());
}

void RadioButtons::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        metrics.titleFont = lookAndFeel->getRadioGroupTitleFont();
        metrics.choiceFont = lookAndFeel->getRadioButtonFont();
        metrics.titleInset = lookAndFeel->getRadioGroupTitleInset();
        metrics.titleGap = lookAndFeel->getRadioGroupTitleGap();
        metrics.leftMargin = lookAndFeel->getRadioGroupLeftMargin();
        metrics.spacing = lookAndFeel->getRadioGroupSpacing();
        metrics.rowHeight = lookAndFeel->getRadioGroupRowHeight();
        metrics.cornerSize = lookAndFeel->getRadioGroupCornerSize();
        metrics.textGap = lookAndFeel->getRadioButtonTextGap();

        for (auto* button : buttons)
            button->setImages (lookAndFeel->getRadioButtonOffImage(), lookAndFeel->getRadioButtonOnImage());
    }

    updateLayout();
    repaint();
}

void RadioButtons::paint (juce::Graphics& g)
{
    const int titleHeight = getTitleHeight();
    const auto frame = getLocalBounds().withTrimmedTop (titleHeight / 2).toFloat().reduced (0.5f);
    g.setColour (frameColour);
    g.drawRoundedRectangle (frame, metrics.cornerSize, 1.0f);

    g.setColour (titleBackground);
    g.fillRect (getTitleArea());

    g.setColour (juce::Colours::black);
    g.setFont (metrics.titleFont);
    g.drawText (title, metrics.titleInset, 0, getWidth() - 2 * metrics.titleInset, titleHeight,
                juce::Justification::centredLeft, true);

    g.setFont (metrics.choiceFont);

    for (int i = 0; i < choices.size(); ++i)
        g.drawText (choices[i], getChoiceTextBounds (i), juce::Justification::centredLeft, true);
}
