#include "gui/widgets/ComponentRow.h"

ComponentRow::ComponentRow (bool isVertical)
    : vertical (isVertical)
{
}

void ComponentRow::setSpacing (int newSpacing)
{
    spacing = newSpacing;
    updateLayout();
}

void ComponentRow::setAlignment (Alignment newAlignment)
{
    alignment = newAlignment;
    updateLayout();
}

void ComponentRow::childrenChanged()
{
    updateLayout();
}

void ComponentRow::childBoundsChanged (juce::Component*)
{
    updateLayout();
}

void ComponentRow::updateLayout()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);
    const auto lengthOf = [this] (juce::Component& c) { return vertical ? c.getHeight() : c.getWidth(); };
    const auto crossOf = [this] (juce::Component& c) { return vertical ? c.getWidth() : c.getHeight(); };

    const int count = getNumChildComponents();
    int length = juce::jmax (0, count - 1) * spacing, cross = 0;

    for (auto* child : getChildren())
    {
        length += lengthOf (*child);
        cross = juce::jmax (cross, crossOf (*child));
    }

    int position = 0;

    for (auto* child : getChildren())
    {
        const int free = cross - crossOf (*child);
        const int offset = alignment == alignCentre ? free / 2 : (alignment == alignEnd ? free : 0);
        child->setTopLeftPosition (vertical ? juce::Point<int> (offset, position) : juce::Point<int> (position, offset));
        position += lengthOf (*child) + spacing;
    }

    setSize (vertical ? cross : length, vertical ? length : cross);
}
