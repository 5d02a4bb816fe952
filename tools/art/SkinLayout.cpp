#include "tools/art/SkinLayout.h"

namespace
{
int intAttribute (const juce::XmlElement* element, const char* name)
{
    return element != nullptr ? element->getIntAttribute (name) : 0;
}
} // namespace

juce::Result SkinLayout::load (const juce::File& skinFile)
{
    const auto root = juce::XmlDocument::parse (skinFile);

    if (root == nullptr || ! root->hasTagName ("PluginEditor"))
        return juce::Result::fail ("no skin document in " + skinFile.getFullPathName());

    backgroundResource = root->getStringAttribute ("background", "Background.png");
    controls.clear();

    for (auto* element : root->getChildIterator())
        controls.add (readControl (*element));

    return juce::Result::ok();
}

SkinLayout::Control SkinLayout::readControl (const juce::XmlElement& element)
{
    Control control;
    control.name = element.getStringAttribute ("name");
    control.tag = element.getTagName();

    const auto* gfx = element.getChildByName ("gfx");
    control.resource = gfx != nullptr ? gfx->getStringAttribute ("resource") : juce::String();
    control.frames = gfx != nullptr ? gfx->getIntAttribute ("framesNum", 1) : 1;

    const auto* pos = element.getChildByName ("pos");
    const auto* size = element.getChildByName ("size");
    control.bounds = { intAttribute (pos, "left"), intAttribute (pos, "top"),
                       intAttribute (size, "width"), intAttribute (size, "height") };
    return control;
}

const SkinLayout::Control* SkinLayout::find (const juce::String& name) const
{
    for (const auto& control : controls)
        if (control.name == name)
            return &control;

    return nullptr;
}

juce::Rectangle<int> SkinLayout::boundsOf (const juce::String& name) const
{
    const auto* control = find (name);
    return control != nullptr ? control->bounds : juce::Rectangle<int>();
}
