#include "gui/widgets/StatusBar.h"

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/FrameworkColours.h"

StatusBar::StatusBar()
{
    setSize (0, ownHeight);
}

void StatusBar::showMessage (const juce::String& newText, int newPriority, int timeOutMs)
{
    // The same text again keeps its running time-out.
    if (newText == text || priority > newPriority)
        return;

    text = newText;
    priority = newPriority;

    if (timeOutMs > 0)
        startTimer (timeOutMs);
    else
        stopTimer();

    repaint();
}

void StatusBar::clear()
{
    // An empty message can carry a time-out too; stop it in every case.
    priority = 0;
    stopTimer();

    if (text.isEmpty())
        return;

    text.clear();
    repaint();
}

void StatusBar::timerCallback()
{
    clear();
}

void StatusBar::paint (juce::Graphics& g)
{
    g.fillAll (FrameworkColours::find (*this, FrameworkColours::statusBarBackground));
    g.setColour (FrameworkColours::find (*this, FrameworkColours::statusBarText));
    g.setFont (font);
    g.drawText (text, 5, 0, getWidth() - 5, getHeight(), juce::Justification::centredLeft, true);
}

void StatusBar::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        font = lookAndFeel->getStatusBarFont();
        setSize (getWidth(), lookAndFeel->getStatusBarHeight());
    }

    repaint();
}
