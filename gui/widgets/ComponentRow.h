#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Lays its children out one after another, each at its own size, in a row
// (or a column), and takes the size of the whole: the children's lengths
// plus the spacing between them, by the largest cross size.
class ComponentRow : public juce::Component
{
public:
    enum Alignment
    {
        alignStart,
        alignCentre,
        alignEnd
    };

    explicit ComponentRow (bool vertical = false);

    void setSpacing (int spacing);
    void setAlignment (Alignment alignment);

    // Relays out now; also done whenever a child comes, goes or changes size.
    void updateLayout();

    void childrenChanged() override;
    void childBoundsChanged (juce::Component* child) override;

private:
    const bool vertical;
    int spacing = 0;
    Alignment alignment = alignStart;
    bool layingOut = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComponentRow)
};
