#include "gui/browser/ItemComponent.h"

#include "gui/browser/ColumnBrowser.h"
#include "gui/browser/List.h"
#include "gui/browser/ListColumn.h"
#include "gui/look/EmbeddedFonts.h"
#include "gui/look/ImageSets.h"

ItemComponent::ItemComponent (List& owner)
    : list (owner)
{
    setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);
    label.addListener (this);
}

ItemComponent::~ItemComponent()
{
    label.removeListener (this);
}

void ItemComponent::update (int newRow, bool isSelected)
{
    auto& column = list.getColumn();
    row = newRow;
    selected = isSelected;
    const bool exists = juce::isPositiveAndBelow (row, column.getNumRows());
    children = exists && column.rowHasChildren (row);
    icon = exists ? column.getRowIcon (row, selected) : juce::Image();
    shownText = exists ? column.getRowText (row) : juce::String();

    label.setText (shownText);
    label.setFont (EmbeddedFonts::getTahoma (13.0f, children));
    label.setColour (juce::Label::textColourId,
                     ColumnBrowser::findSchemeColour (*this, selected ? ColumnBrowser::selectedRowText
                                                                      : ColumnBrowser::rowText));
    label.setVisible (exists);
    repaint();
}

void ItemComponent::startRenaming()
{
    if (label.isVisible())
        label.showEditor();
}

// The list re-reads its rows afterwards; a refused name leaves the row as
// it was.
void ItemComponent::labelTextChanged (LabelWithModalTextEditor*)
{
    auto& column = list.getColumn();

    if (column.rowTextEdited (row, label.getText()))
        column.refresh();
    else
        label.setText (shownText);
}

void ItemComponent::paint (juce::Graphics& g)
{
    if (selected)
        g.fillAll (ColumnBrowser::findSchemeColour (*this, ColumnBrowser::selectedRowFill));

    if (icon.isValid())
        ImageSets::drawAt (g, icon, iconX, (getHeight() - iconSize) / 2);

    if (children)
        paintMarker (g, label.findColour (juce::Label::textColourId));
}

// A small triangle pointing right: the row opens a column of its own.
void ItemComponent::paintMarker (juce::Graphics& g, juce::Colour colour)
{
    const auto box = getLocalBounds().removeFromRight (markerWidth).toFloat().withSizeKeepingCentre (6.0f, 8.0f);
    juce::Path marker;
    marker.addTriangle (box.getTopLeft(), box.getBottomLeft(), { box.getRight(), box.getCentreY() });
    g.setColour (colour.withMultipliedAlpha (0.7f));
    g.fillPath (marker);
}

void ItemComponent::resized()
{
    label.setBounds (getLocalBounds().withTrimmedLeft (textX).withTrimmedRight (markerWidth));
}
