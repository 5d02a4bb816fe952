#include "gui/widgets/PopupMenuEx.h"

#include "gui/look/EmbeddedFonts.h"

namespace
{
const juce::Colour background (0xFFE3E3E3);
const juce::Colour highlight (0xFFADADAD);
constexpr int textIndent = 6;

juce::Font menuFont()
{
    return EmbeddedFonts::getTahoma (13.0f, false);
}
} // namespace

PopupMenuEx::Window::Window (PopupMenuEx& owner)
    : menu (owner)
{
}

void PopupMenuEx::Window::updateSize (int minimumWidth)
{
    int width = minimumWidth;

    for (const auto& item : menu.items)
        width = juce::jmax (width, menuFont().getStringWidth (item.text) + 2 * textIndent);

    setSize (width, juce::jmax (1, menu.items.size()) * rowHeight + 2);
}

int PopupMenuEx::Window::getRowAt (int y) const
{
    const int row = (y - 1) / rowHeight;
    return y >= 1 && juce::isPositiveAndBelow (row, menu.items.size()) ? row : -1;
}

void PopupMenuEx::Window::paint (juce::Graphics& g)
{
    g.fillAll (background);
    g.setFont (menuFont());

    for (int row = 0; row < menu.items.size(); ++row)
    {
        const juce::Rectangle<int> area (1, 1 + row * rowHeight, getWidth() - 2, rowHeight);

        if (row == highlightedRow)
        {
            g.setColour (highlight);
            g.fillRect (area);
        }

        g.setColour (juce::Colours::black);
        g.drawText (menu.items.getReference (row).text, area.withTrimmedLeft (textIndent),
                    juce::Justification::centredLeft, true);
    }

    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawRect (getLocalBounds());
}

void PopupMenuEx::Window::mouseMove (const juce::MouseEvent& e)
{
    if (const int row = getRowAt (e.y); row != highlightedRow)
    {
        highlightedRow = row;
        repaint();
    }
}

void PopupMenuEx::Window::mouseExit (const juce::MouseEvent&)
{
    highlightedRow = -1;
    repaint();
}

void PopupMenuEx::Window::mouseUp (const juce::MouseEvent& e)
{
    if (const int row = getRowAt (e.y); row >= 0 && contains (e.getPosition()))
        menu.itemChosen (row);
}

PopupMenuEx::PopupMenuComponent::PopupMenuComponent (PopupMenuEx& owner)
    : menu (owner), list (owner)
{
    addAndMakeVisible (list);
}

void PopupMenuEx::PopupMenuComponent::showBelow (juce::Component& newTarget)
{
    target = &newTarget;
    list.updateSize (newTarget.getWidth());

    if (getParentComponent() == nullptr)
        newTarget.addChildComponent (this);

    show();
    positionWindow();
}

void PopupMenuEx::PopupMenuComponent::positionWindow()
{
    auto* parent = getParentComponent();

    if (parent == nullptr || ! isAttached())
        return;

    setBounds (parent->getLocalBounds());

    if (target != nullptr)
    {
        const auto below = getLocalPoint (target, juce::Point<int> (0, target->getHeight()));
        list.setBounds (list.getBounds().withPosition (below).constrainedWithin (getLocalBounds()));
    }
}

void PopupMenuEx::PopupMenuComponent::shownOrHidden()
{
    if (! isShown())
        menu.dismissed();
}

void PopupMenuEx::PopupMenuComponent::mouseDown (const juce::MouseEvent&)
{
    menu.hide();
}

PopupMenuEx::PopupMenuEx() = default;

PopupMenuEx::~PopupMenuEx() = default;

void PopupMenuEx::addItem (int itemId, const juce::String& text)
{
    items.add ({ itemId, text });
}

void PopupMenuEx::clear()
{
    items.clear();
}

void PopupMenuEx::showBelow (juce::Component& target)
{
    if (component == nullptr)
        component = std::make_unique<PopupMenuComponent> (*this);

    component->showBelow (target);
}

void PopupMenuEx::hide()
{
    if (component != nullptr)
        component->hide();
}

bool PopupMenuEx::isShown() const
{
    return component != nullptr && component->isShown();
}

void PopupMenuEx::itemChosen (int row)
{
    const int id = items.getReference (row).id;
    hide();

    if (listener != nullptr)
        listener->popupMenuItemChosen (this, id);
}

void PopupMenuEx::dismissed()
{
    if (listener != nullptr)
        listener->popupMenuDismissed (this);
}
