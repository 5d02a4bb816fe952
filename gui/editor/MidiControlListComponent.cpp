#include "gui/editor/MidiControlListComponent.h"

#include "gui/look/EmbeddedFonts.h"

namespace
{
constexpr int bottomSlack = 6;
constexpr int numberPadding = 8;
constexpr int nameIndent = 5;
constexpr int stepsPerColumn = 12;
constexpr float cornerSize = 5.0f;

const juce::Colour headerStrip (0xFF6E6E6E);
const juce::Colour listBackground (0xFFE3E3E3);
const juce::Colour numberHeader (0xFF5B5B5B);
const juce::Colour numberColumn (0xFFBFBFBF);
const juce::Colour separator (0xFF6E6E6E);
const juce::Colour selection = juce::Colour (0xFF5B5B5B).withMultipliedAlpha (0.5f);
const juce::Colour headerText (0xFFFFFFFF);
const juce::Colour rowText (0xFF000000);
} // namespace

MidiControlComponent::ListComponent::ListComponent()
    : rowFont (EmbeddedFonts::getTahoma (13.0f, false)),
      headerFont (EmbeddedFonts::getTahoma (13.0f, true))
{
    scrollBar.setAutoHide (false);
    scrollBar.addListener (this);
    addAndMakeVisible (scrollBar);
    updateScrollBar();
}

MidiControlComponent::ListComponent::~ListComponent()
{
    scrollBar.removeListener (this);
}

void MidiControlComponent::ListComponent::setRows (std::vector<Row> newRows)
{
    rows = std::move (newRows);
    selectedIndex = -1;
    updateScrollBar();
    repaint();
}

const MidiControlComponent::ListComponent::Row* MidiControlComponent::ListComponent::getRow (int index) const
{
    return juce::isPositiveAndBelow (index, getNumRows()) ? &rows[(size_t) index] : nullptr;
}

int MidiControlComponent::ListComponent::findRowOf (int controller) const
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].controller == controller)
            return (int) i;

    return -1;
}

//==============================================================================
int MidiControlComponent::ListComponent::getRowsPerColumn() const
{
    const int free = getHeight() - scrollBar.getHeight() - headerHeight - bottomSlack;
    return juce::jmax (1, free / rowHeight);
}

int MidiControlComponent::ListComponent::getNumColumns() const
{
    const int perColumn = getRowsPerColumn();
    return juce::jmax (visibleColumns, (getNumRows() + perColumn - 1) / perColumn);
}

int MidiControlComponent::ListComponent::getColumnWidth() const
{
    return (getWidth() - 2) / visibleColumns + 1;
}

int MidiControlComponent::ListComponent::getScrollPosition() const
{
    return juce::roundToInt (scrollBar.getCurrentRangeStart());
}

int MidiControlComponent::ListComponent::getIndexAt (juce::Point<int> position) const
{
    if (position.y < headerHeight)
        return -1;

    const int perColumn = getRowsPerColumn();
    const int column = juce::jlimit (0, getNumColumns() - 1, (position.x + getScrollPosition()) / getColumnWidth());
    const int row = juce::jlimit (0, perColumn - 1, (position.y - headerHeight) / rowHeight);
    return row + column * perColumn;
}

//==============================================================================
void MidiControlComponent::ListComponent::setSelectedIndex (int index)
{
    const int newIndex = getRow (index) != nullptr ? index : -1;

    if (newIndex != -1)
        scrollToColumnOf (newIndex);

    if (newIndex != selectedIndex)
    {
        selectedIndex = newIndex;
        repaint();
    }
}

int MidiControlComponent::ListComponent::getSelectedController() const
{
    const auto* row = getRow (selectedIndex);
    return row != nullptr ? row->controller : -1;
}

void MidiControlComponent::ListComponent::scrollToColumnOf (int index)
{
    const int width = getColumnWidth();
    const int left = index / getRowsPerColumn() * width;
    const int position = getScrollPosition();

    if (left < position)
        scrollBar.setCurrentRangeStart (left);
    else if (left + width > position + visibleColumns * width)
        scrollBar.setCurrentRangeStart (left + width - visibleColumns * width);
}

void MidiControlComponent::ListComponent::updateScrollBar()
{
    const int width = getColumnWidth();
    const int columns = getNumColumns();
    scrollBar.setRangeLimits (0.0, (double) (columns * width), juce::dontSendNotification);
    scrollBar.setCurrentRange (scrollBar.getCurrentRangeStart(), (double) (visibleColumns * width),
                               juce::dontSendNotification);
    scrollBar.setSingleStepSize ((double) width / stepsPerColumn);
    scrollBar.setEnabled (columns > visibleColumns);
}

void MidiControlComponent::ListComponent::scrollBarMoved (juce::ScrollBar*, double)
{
    repaint();
}

//==============================================================================
void MidiControlComponent::ListComponent::mouseDown (const juce::MouseEvent& e)
{
    if (e.y < headerHeight || e.y >= getRowsArea().getBottom())
        return;

    setSelectedIndex (getIndexAt (e.getPosition()));

    if (onRowClicked != nullptr)
        onRowClicked();
}

// The wheel, either way, turns the columns past as JUCE's scroll bar does.
void MidiControlComponent::ListComponent::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const float delta = wheel.deltaX != 0.0f ? wheel.deltaX : wheel.deltaY;

    if (! scrollBar.isEnabled() || delta == 0.0f)
    {
        juce::Component::mouseWheelMove (e, wheel);
        return;
    }

    const float steps = delta < 0.0f ? juce::jmin (10.0f * delta, -1.0f) : juce::jmax (10.0f * delta, 1.0f);
    scrollBar.setCurrentRangeStart (scrollBar.getCurrentRangeStart() - steps * scrollBar.getSingleStepSize());
}

void MidiControlComponent::ListComponent::resized()
{
    const int barHeight = getLookAndFeel().getDefaultScrollbarWidth();
    scrollBar.setBounds (0, getHeight() - barHeight, getWidth(), barHeight);
    updateScrollBar();
}

void MidiControlComponent::ListComponent::lookAndFeelChanged()
{
    resized();
    repaint();
}

//==============================================================================
// Above the scroll bar.
juce::Rectangle<int> MidiControlComponent::ListComponent::getRowsArea() const
{
    return getLocalBounds().withTrimmedBottom (scrollBar.getHeight());
}

int MidiControlComponent::ListComponent::getNumberWidth() const
{
    return juce::jmax (rowFont.getStringWidth ("127"), headerFont.getStringWidth ("CC")) + numberPadding;
}

void MidiControlComponent::ListComponent::paint (juce::Graphics& g)
{
    const auto area = getRowsArea();
    juce::Path outline;
    outline.addRoundedRectangle (area.toFloat(), cornerSize);

    g.saveState();
    g.reduceClipRegion (outline);
    g.setColour (listBackground);
    g.fillRect (area);
    g.setColour (headerStrip);
    g.fillRect (area.withHeight (headerHeight));

    const int width = getColumnWidth();
    const int offset = getScrollPosition();

    for (int column = offset / width; column < getNumColumns() && column * width - offset < area.getWidth(); ++column)
        paintColumn (g, column, column * width - offset);

    g.restoreState();
}

void MidiControlComponent::ListComponent::paintColumn (juce::Graphics& g, int column, int x)
{
    const auto area = getRowsArea();
    const int width = getColumnWidth();
    const int numberWidth = getNumberWidth();
    const int perColumn = getRowsPerColumn();

    g.setColour (numberHeader);
    g.fillRect (x, 0, numberWidth, headerHeight);
    g.setColour (numberColumn);
    g.fillRect (x, headerHeight, numberWidth, area.getHeight() - headerHeight);

    g.setColour (headerText);
    g.setFont (headerFont);
    g.drawText ("CC", x, 0, numberWidth, headerHeight, juce::Justification::centred, false);
    g.drawText ("Parameter", x + numberWidth + nameIndent, 0, width - numberWidth - nameIndent, headerHeight,
                juce::Justification::centredLeft, true);

    for (int row = 0; row < perColumn; ++row)
        paintRow (g, row + column * perColumn, { x, headerHeight + row * rowHeight, width, rowHeight }, numberWidth);

    // The column's right edge.
    g.setColour (separator);
    g.fillRect (x + width - 1, headerHeight, 1, area.getHeight() - headerHeight);
}

void MidiControlComponent::ListComponent::paintRow (juce::Graphics& g, int index, juce::Rectangle<int> area,
                                                    int numberWidth)
{
    if (const auto* row = getRow (index))
    {
        if (index == selectedIndex)
        {
            g.setColour (selection);
            g.fillRect (area);
        }

        g.setColour (rowText);
        g.setFont (rowFont);
        g.drawText (juce::String (row->controller), area.withWidth (numberWidth), juce::Justification::centred, false);
        g.drawText (row->parameter->getName(), area.withTrimmedLeft (numberWidth + nameIndent),
                    juce::Justification::centredLeft, true);
    }

    g.setColour (separator);
    g.fillRect (area.getX(), area.getBottom() - 1, area.getWidth(), 1);
}
