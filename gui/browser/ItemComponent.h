#pragma once

#include "gui/widgets/LabelWithModalTextEditor.h"

class List;

// One row of a List: the row's 16 x 16 icon, its name (bold for a row with
// children, which also shows a marker at its right end) and the in-place
// editor that renames it. It leaves the mouse to the list, which selects
// and drags rows.
class ItemComponent : public juce::Component,
                      private LabelWithModalTextEditor::Listener
{
public:
    static constexpr int iconSize = 16;
    static constexpr int iconX = 2;
    static constexpr int textX = 22;
    static constexpr int markerWidth = 14;

    explicit ItemComponent (List& list);
    ~ItemComponent() override;

    // Shows the row as the column describes it.
    void update (int row, bool selected);
    int getRow() const noexcept { return row; }
    bool hasChildren() const noexcept { return children; }
    const juce::String& getText() const { return label.getText(); }

    void startRenaming();
    LabelWithModalTextEditor& getLabel() noexcept { return label; }

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void labelTextChanged (LabelWithModalTextEditor*) override;
    void paintMarker (juce::Graphics&, juce::Colour colour);

    List& list;
    LabelWithModalTextEditor label;
    juce::Image icon;
    juce::String shownText;
    int row = -1;
    bool selected = false, children = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ItemComponent)
};
