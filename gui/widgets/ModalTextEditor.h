#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A one-line text editor that edits in place over another component. When
// it takes the keyboard focus it moves, at the same place on screen, into
// the editor (the nearest PseudoModalComponent::Desktop, else its top-level
// component), so that nothing clips or covers it; when it loses the focus
// it goes back. Return ends the edit, Escape ends it and restores the text.
class ModalTextEditor : public juce::TextEditor
{
public:
    class ModalListener
    {
    public:
        virtual ~ModalListener() = default;
        // The edit ended either way and the editor is back in place; told
        // before textChanged.
        virtual void editorClosed (ModalTextEditor*) {}
        // The edit ended with a text other than the one it started with.
        virtual void textChanged (ModalTextEditor*) {}
        virtual void editCancelled (ModalTextEditor*) {}
    };

    ModalTextEditor();
    ~ModalTextEditor() override;

    void addModalListener (ModalListener* listener);
    void removeModalListener (ModalListener* listener);

    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;

protected:
    void returnPressed() override;
    void escapePressed() override;

private:
    void moveOnTop();
    void moveBack();
    juce::Component* findHost() const;

    juce::String textAtFocus;
    juce::Component::SafePointer<juce::Component> savedParent;
    juce::Rectangle<int> savedBounds;
    bool onTop = false;
    bool moving = false;
    juce::Array<ModalListener*> modalListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalTextEditor)
};
