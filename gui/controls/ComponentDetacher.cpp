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

    // Drawn at the editor's scale, pinned at its place on the screen.
    const auto scale = juce::Component::getApproximateScaleFactorForComponent (owner);
    const auto screenPosition = component.getScreenPosition();
    detached = &component;
    parent = owner;
    savedBounds = component.getBounds();

    owner->removeChildComponent (&component);
    component.setBounds (savedBounds.withPosition (screenPosition));

    if (! juce::approximatelyEqual (scale, 1.0f))
        component.setTransform (juce::AffineTransform::scale (scale, scale, (float) screenPosition.x,
                                                              (float) screenPosition.y));

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
    component->setTransform ({});

    if (auto* owner = parent.getComponent())
    {
        owner->addAndMakeVisible (component);
        component->setBounds (savedBounds);
    }
}
