#pragma once

#include "gui/widgets/ModalTextEditor.h"

// A one-line text that the user can edit in place: showEditor() opens a
// ModalTextEditor over it; a changed text becomes the label's text and is
// announced to the listeners.
class LabelWithModalTextEditor : public juce::Component, private ModalTextEditor::ModalListener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void labelTextChanged (LabelWithModalTextEditor*) = 0;
    };

    explicit LabelWithModalTextEditor (const juce::String& text = {});
    ~LabelWithModalTextEditor() override;

    void setText (const juce::String& text);
    const juce::String& getText() const { return text; }
    void setFont (const juce::Font& font);

    void showEditor();
    bool isBeingEdited() const;
    // Null until the first showEditor().
    ModalTextEditor* getEditor() const { return editor.get(); }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void textChanged (ModalTextEditor*) override;
    void editorClosed (ModalTextEditor*) override;

    juce::String text;
    juce::Font font;
    std::unique_ptr<ModalTextEditor> editor;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelWithModalTextEditor)
};
