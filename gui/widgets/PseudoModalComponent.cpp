#include "gui/widgets/PseudoModalComponent.h"

PseudoModalComponent::CoveringWindow::CoveringWindow (PseudoModalComponent& owner)
    : window (owner)
{
}

void PseudoModalComponent::CoveringWindow::paint (juce::Graphics& g)
{
    if (window.dimsBackground())
        g.fillAll (juce::Colours::black.withAlpha (0.33f));
}

void PseudoModalComponent::CoveringWindow::resized()
{
    window.positionWindow();
}

void PseudoModalComponent::CoveringWindow::parentSizeChanged()
{
    fillParent();
}

void PseudoModalComponent::CoveringWindow::parentHierarchyChanged()
{
    fillParent();
}

void PseudoModalComponent::CoveringWindow::fillParent()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
}

PseudoModalComponent::PseudoModalComponent()
    : coveringWindow (std::make_unique<CoveringWindow> (*this))
{
}

PseudoModalComponent::~PseudoModalComponent()
{
    // Leave the covering window before it goes, so that no callback reaches
    // this half-destroyed window through it.
    if (auto* parent = getParentComponent())
        parent->removeChildComponent (this);
}

void PseudoModalComponent::show()
{
    showPlaced (Placement::centred, {}, nullptr);
}

void PseudoModalComponent::showAt (juce::Point<int> point, const juce::Component* relativeTo)
{
    showPlaced (Placement::atPoint, point, relativeTo);
}

void PseudoModalComponent::showPlaced (Placement newPlacement, juce::Point<int> point, const juce::Component* relativeTo)
{
    if (! attach())
    {
        setVisible (true);
        return;
    }

    if (coveringWindow->isVisible())
        return;

    placement = newPlacement;

    if (placement == Placement::atPoint)
        storedPoint = relativeTo != nullptr ? coveringWindow->getLocalPoint (relativeTo, point) : point;

    coveringWindow->setVisible (true);
    coveringWindow->toFront (false);
    shownOrHidden();
    positionWindow();
}

void PseudoModalComponent::hide()
{
    if (! attached)
    {
        setVisible (false);
        return;
    }

    if (! coveringWindow->isVisible())
        return;

    coveringWindow->setVisible (false);
    coveringWindow->toBack();
    shownOrHidden();
}

bool PseudoModalComponent::isShown() const
{
    return attached ? coveringWindow->isVisible() : isVisible();
}

bool PseudoModalComponent::attach()
{
    if (attached)
        return true;

    juce::Component* desktop = getParentComponent();

    while (desktop != nullptr && dynamic_cast<Desktop*> (desktop) == nullptr)
        desktop = desktop->getParentComponent();

    if (desktop == nullptr)
        return false;

    coveringWindow->addAndMakeVisible (this);
    desktop->addChildComponent (coveringWindow.get());
    attached = true;

    // The window now sits under the editor's look and feel: let its widgets
    // read their fonts, metrics and images from it.
    coveringWindow->sendLookAndFeelChange();
    return true;
}

void PseudoModalComponent::positionWindow()
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return;

    if (placement == Placement::centred)
        setCentrePosition (parent->getLocalBounds().getCentre());
    else
        setTopLeftPosition (storedPoint);
}
