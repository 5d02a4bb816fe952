#include "gui/widgets/TabbedComponentEx.h"

#include "framework/ListenerWalk.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/FrameworkColours.h"

TabbedComponentEx::TabbedComponentEx()
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop)
{
}

void TabbedComponentEx::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void TabbedComponentEx::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void TabbedComponentEx::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        setTabBarDepth (lookAndFeel->getTabBarDepth());

    resized();
    repaint();
}

void TabbedComponentEx::resized()
{
    const float depth = (float) getTabBarDepth();
    panelOutline.clear();
    panelOutline.addRectangle (juce::Rectangle<float>::leftTopRightBottom (0.5f, depth - 0.5f, (float) getWidth() - 0.5f,
                                                                           (float) getHeight() - 0.5f));
    juce::TabbedComponent::resized();
}

void TabbedComponentEx::paint (juce::Graphics& g)
{
    g.setColour (FrameworkColours::find (*this, FrameworkColours::tabPanelFill));
    g.fillPath (panelOutline);
    g.setColour (FrameworkColours::find (*this, FrameworkColours::tabOutline));
    g.strokePath (panelOutline, juce::PathStrokeType (1.0f));
}

void TabbedComponentEx::currentTabChanged (int, const juce::String&)
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.currentTabChanged (this); });

    // A tab's content is a child only while it is shown, so it may have
    // missed a look-and-feel change meanwhile.
    if (auto* content = getCurrentContentComponent())
        content->sendLookAndFeelChange();
}
