#pragma once

#include "gui/widgets/PseudoModalComponent.h"

// A list of items shown as a pseudo-modal window inside the editor, not as
// a window of its own on the desktop. A click on an item hides the list and
// tells the listener; a click anywhere else just hides it.
class PopupMenuEx
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void popupMenuItemChosen (PopupMenuEx*, int itemId) = 0;
        // The list was hidden, with or without a choice; told first.
        virtual void popupMenuDismissed (PopupMenuEx*) {}
    };

    // The list of items.
    class Window : public juce::Component
    {
    public:
        explicit Window (PopupMenuEx& menu);

        void updateSize (int minimumWidth);
        void paint (juce::Graphics&) override;
        void mouseMove (const juce::MouseEvent&) override;
        void mouseExit (const juce::MouseEvent&) override;
        void mouseUp (const juce::MouseEvent&) override;

    private:
        int getRowAt (int y) const;

        PopupMenuEx& menu;
        int highlightedRow = -1;
    };

    // The pseudo-modal layer: it covers the whole editor, paints nothing
    // itself and holds the list below the component that opened it.
    class PopupMenuComponent : public PseudoModalComponent
    {
    public:
        explicit PopupMenuComponent (PopupMenuEx& menu);

        void showBelow (juce::Component& target);
        void positionWindow() override;
        void shownOrHidden() override;
        void mouseDown (const juce::MouseEvent&) override;

    private:
        PopupMenuEx& menu;
        Window list;
        juce::Component::SafePointer<juce::Component> target;
    };

    static constexpr int rowHeight = 18;

    PopupMenuEx();
    ~PopupMenuEx();

    void addItem (int itemId, const juce::String& text);
    void clear();
    int getNumItems() const { return items.size(); }
    void setListener (Listener* newListener) { listener = newListener; }

    // Shows the list below target, which must lie inside the editor.
    void showBelow (juce::Component& target);
    void hide();
    bool isShown() const;

private:
    struct Item
    {
        int id;
        juce::String text;
    };

    void itemChosen (int row);
    void dismissed();

    juce::Array<Item> items;
    Listener* listener = nullptr;
    std::unique_ptr<PopupMenuComponent> component;

    JUCE_DECLARE_NON_COPYABLE (PopupMenuEx)
};
