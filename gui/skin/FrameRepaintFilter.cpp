#include "gui/skin/FrameRepaintFilter.h"

FrameRepaintFilter::FrameRepaintFilter (juce::Component& c, std::function<int()> frame)
    : component (c), shownFrame (std::move (frame))
{
}

void FrameRepaintFilter::paint (juce::Graphics& g)
{
    component.paintEntireComponent (g, false);
}

bool FrameRepaintFilter::invalidateAll()
{
    const auto look = currentLook();

    if (lastRequested == look)
        return false;

    lastRequested = look;
    return true;
}

// A component with children (a panel) also passes on its children's
// repaints through here: those always go through.
bool FrameRepaintFilter::invalidate (const juce::Rectangle<int>&)
{
    return invalidateAll() || component.getNumChildComponents() > 0;
}

void FrameRepaintFilter::releaseResources()
{
    lastRequested.reset();
}

bool FrameRepaintFilter::Look::operator== (const Look& other) const
{
    return frame == other.frame && width == other.width && height == other.height;
}

FrameRepaintFilter::Look FrameRepaintFilter::currentLook() const
{
    return { shownFrame(), component.getWidth(), component.getHeight() };
}
