#include "gui/files/PathComponent.h"

#include "framework/ListenerWalk.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/look/FrameworkColours.h"

namespace
{
constexpr int fieldTop = 4;
constexpr int textInset = 4;
constexpr float fieldCorner = 4.0f;
} // namespace

PathComponent::PathComponent()
{
    browseButton.onClick = [this] { browse(); };
    addAndMakeVisible (browseButton);
    measure();
    setSize (200, browseButton.getHeight());
}

void PathComponent::setPath (const juce::String& newPath, juce::NotificationType notification)
{
    if (newPath.equalsIgnoreCase (path))
        return;

    path = newPath;
    measure();
    repaint();

    if (notification != juce::dontSendNotification)
        callListenersLastFirst (listeners, [this] (Listener& l) { l.pathChanged (this); });
}

void PathComponent::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void PathComponent::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void PathComponent::measure()
{
    pathWidth = font.getStringWidth (path);
    ellipsisWidth = font.getStringWidth (ellipsis);
}

bool PathComponent::isPathShortened() const
{
    return pathWidth > fieldArea.getWidth() - 2 * textInset;
}

void PathComponent::resized()
{
    browseButton.setTopLeftPosition (getWidth() - browseButton.getWidth(), 0);
    fieldArea = { 0, fieldTop, juce::jmax (0, browseButton.getX()), juce::jmax (0, getHeight() - 2 * fieldTop) };
    textArea = fieldArea.translated (textInset, 0).withTrimmedRight (2 * textInset);
}

void PathComponent::lookAndFeelChanged()
{
    if (auto* lookAndFeel = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        font = lookAndFeel->getPlainFont();

    measure();
    resized();
    repaint();
}

void PathComponent::enablementChanged()
{
    repaint();
}

void PathComponent::paint (juce::Graphics& g)
{
    const float alpha = isEnabled() ? 1.0f : 0.5f;
    const auto outline = FrameworkColours::find (*this, FrameworkColours::pathFieldOutline);

    if (! outline.isTransparent())
    {
        const auto field = fieldArea.toFloat().reduced (0.5f);
        g.setColour (FrameworkColours::find (*this, FrameworkColours::pathFieldBackground).withMultipliedAlpha (alpha));
        g.fillRoundedRectangle (field, fieldCorner);
        g.setColour (outline.withMultipliedAlpha (alpha));
        g.drawRoundedRectangle (field, fieldCorner, 1.0f);
    }

    g.setColour (FrameworkColours::find (*this, FrameworkColours::pathFieldText).withMultipliedAlpha (alpha));
    g.setFont (font);

    if (! isPathShortened())
    {
        g.drawText (path, textArea, juce::Justification::centredLeft, false);
        return;
    }

    // Keep the path's beginning in view, cut off before "[...]".
    g.drawText (path, textArea.withTrimmedRight (ellipsisWidth), juce::Justification::centredLeft, false);
    g.drawText (ellipsis, textArea, juce::Justification::centredRight, false);
}

void PathComponent::browse()
{
    fileDialog.launch ({ false, dialogTitle, startingLocation, filePatterns },
                       [safeThis = SafePointer<PathComponent> (this)] (const juce::File& file) {
                           if (safeThis != nullptr)
                               safeThis->setPath (file.getFullPathName(), juce::sendNotification);
                       });
}
