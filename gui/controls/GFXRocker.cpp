#include "gui/controls/GFXRocker.h"

#include "gui/skin/SkinXml.h"

GFXRocker::GFXRocker (const juce::String& name)
    : juce::Component (name)
{
}

void GFXRocker::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                             EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);
    horizontal = SkinXml::readString (element, "type", "vertical") == "horizontal";
    applyStoredBounds();
}

void GFXRocker::addAction (const juce::String& type, int eventId, const juce::String&)
{
    if (type == "onLessClick")
        lessId = eventId;
    else if (type == "onMoreClick")
        moreId = eventId;
    else if (type == "onLessClickWithCtrl")
        lessCtrlId = eventId;
    else if (type == "onMoreClickWithCtrl")
        moreCtrlId = eventId;
}

int GFXRocker::getShownFrame() const
{
    return isEnabled() ? frame : 0;
}

void GFXRocker::mouseDown (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    const bool more = isOnMoreHalf (e.position);
    setFrame (more ? moreFrame : lessFrame);

    const bool ctrl = e.mods.isCtrlDown();
    const int id = more ? (ctrl ? moreCtrlId : moreId) : (ctrl ? lessCtrlId : lessId);

    if (id != -1)
        fireAction (id);
}

void GFXRocker::mouseUp (const juce::MouseEvent&)
{
    setFrame (restFrame);
}

void GFXRocker::paint (juce::Graphics& g)
{
    if (hasImage())
        drawShownFrame (g);
    else
        paintFallback (g);
}

bool GFXRocker::isOnMoreHalf (juce::Point<float> position) const
{
    return horizontal ? position.x >= getWidth() / 2.0f : position.y < getHeight() / 2.0f;
}

void GFXRocker::setFrame (int newFrame)
{
    frame = newFrame;
    repaint();
}

// Two grey halves, the pressed one darker, in a black outline.
void GFXRocker::paintFallback (juce::Graphics& g)
{
    auto bounds = getLocalBounds();
    auto less = horizontal ? bounds.removeFromLeft (bounds.getWidth() / 2) : bounds.removeFromBottom (bounds.getHeight() / 2);
    const auto& more = bounds;

    g.setColour (juce::Colour (frame == lessFrame ? 0xff7f7f7f : 0xffb2b2b2));
    g.fillRect (less);
    g.setColour (juce::Colour (frame == moreFrame ? 0xff7f7f7f : 0xffb2b2b2));
    g.fillRect (more);
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}
