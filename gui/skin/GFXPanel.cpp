#include "gui/skin/GFXPanel.h"

#include "gui/skin/SkinXml.h"

GFXPanel::GFXPanel (const juce::String& name)
    : juce::Component (name)
{
}

GFXPanel::~GFXPanel() = default;

void GFXPanel::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                            EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);

    if (const auto* gfx = SkinXml::firstChild (element, "gfx"))
        setTransparent (SkinXml::readBool (*gfx, "transparent"));

    loadControls (element, parameters, events, editor);
    applyStoredBounds();
}

void GFXPanel::addListener (Listener* listener)
{
    BaseGFXController::addListener (listener);
    controls.addListenerToAll (listener);
}

void GFXPanel::setTransparent (bool shouldBeTransparent)
{
    if (transparent != shouldBeTransparent)
    {
        transparent = shouldBeTransparent;
        repaint();
    }
}

void GFXPanel::paint (juce::Graphics& g)
{
    if (transparent)
        return;

    if (hasImage())
        drawShownFrame (g);
    else
        g.fillAll (juce::Colour (0xffe5e5e5));
}

void GFXPanel::loadControls (const juce::XmlElement& element, ParameterManager& parameters,
                             EventsMap& events, BasePluginEditor* editor)
{
    const auto* list = SkinXml::firstChild (element, "controls");

    if (list == nullptr)
        return;

    const juce::Point<int> offset (SkinXml::readInt (*list, "ofsX"), SkinXml::readInt (*list, "ofsY"));
    controls.build (*list, SkinControls::Container::panel, *this, parameters, events, editor);

    for (auto* child : getChildren())
        child->setTopLeftPosition (child->getPosition() + offset);
}
