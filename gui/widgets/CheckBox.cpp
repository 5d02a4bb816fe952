#include "gui/widgets/CheckBox.h"

#include "framework/ListenerWalk.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/EmbeddedImages.h"

CheckBox::CheckBox (const juce::String& initialText)
    : text (initialText)
{
    box.setImages (EmbeddedImages::getCheckBox (false), EmbeddedImages::getCheckBox (true));
    box.onClick = [this] { notifyListeners(); };
    addAndMakeVisible (box);
    updateSize();
}

void CheckBox::setText (const juce::String& newText)
{
    text = newText;
    updateSize();
    repaint();
}

bool CheckBox::isTicked() const
{
    return box.getToggleState();
}

void CheckBox::setTicked (bool ticked, juce::NotificationType notification)
{
    if (ticked == isTicked())
        return;

    box.setToggleState (ticked, juce::dontSendNotification);

    if (notification != juce::dontSendNotification)
        notifyListeners();
}

void CheckBox::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void CheckBox::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void CheckBox::notifyListeners()
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.checkBoxChanged (this); });
}

void CheckBox::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black.withMultipliedAlpha (isEnabled() ? 1.0f : 0.5f));
    g.setFont (font);
    const int x = box.getRight() + gap;
    g.drawText (text, x, 0, getWidth() - x, getHeight(), juce::Justification::centredLeft, true);
}

void CheckBox::resized()
{
    box.setTopLeftPosition (0, (getHeight() - box.getHeight()) / 2);
}

void CheckBox::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        box.setImages (lookAndFeel->getCheckBoxOffImage(), lookAndFeel->getCheckBoxOnImage());
        font = lookAndFeel->getCheckBoxFont();
        gap = lookAndFeel->getCheckBoxTextGap();
    }

    updateSize();
    repaint();
}

void CheckBox::enablementChanged()
{
    repaint();
}

void CheckBox::updateSize()
{
    const int width = box.getWidth() + gap + font.getStringWidth (text);
    const int height = juce::jmax (box.getHeight(), juce::roundToInt (std::ceil (font.getHeight())));
    setSize (width, height);
    resized();
}
