#include "gui/controls/ComponentDetacher.h"

#include "framework/WindowColormap.h"

ComponentDetacher::~ComponentDetacher()
{
    reattach();
}

bool ComponentDetacher::detach (juce::Component& component)
{
    auto* owner = component.getParentComponent();

    if (isDetached() || owner == nullptr || ! component.isShowing())
        return false;

    const auto screenBounds = component.getScreenBounds();
    detached = &component;
    parent = owner;
    savedBounds = component.getBounds();

    owner->removeChildComponent (&component);
    component.setBounds (screenBounds);
    component.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    component.setVisible (true);
    component.toFront (true);
    return true;
}

void ComponentDetacher::reattach()
{
    auto* component = detached.getComponent();
    detached = nullptr;

    if (component == nullptr)
        return;

    if (auto* peer = component->isOnDesktop() ? component->getPeer() : nullptr)
        WindowColormap::release (*peer);

    component->removeFromDesktop();

    if (auto* owner = parent.getComponent())
    {
        owner->addAndMakeVisible (component);
        component->setBounds (savedBounds);
    }
}
