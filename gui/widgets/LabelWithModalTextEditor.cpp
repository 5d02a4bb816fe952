#include "gui/widgets/LabelWithModalTextEditor.h"

#include "framework/ListenerWalk.h"
#include "gui/look/EmbeddedFonts.h"

LabelWithModalTextEditor::LabelWithModalTextEditor (const juce::String& initialText)
    : text (initialText), font (EmbeddedFonts::getTahoma (13.0f, false))
{
}

LabelWithModalTextEditor::~LabelWithModalTextEditor()
{
    if (editor != nullptr)
        editor->removeModalListener (this);
}

void LabelWithModalTextEditor::setText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void LabelWithModalTextEditor::setFont (const juce::Font& newFont)
{
    font = newFont;
    repaint();
}

void LabelWithModalTextEditor::showEditor()
{
    if (isBeingEdited())
        return;

    if (editor == nullptr)
    {
        editor = std::make_unique<ModalTextEditor>();
        editor->addModalListener (this);
    }

    editor->setFont (font);
    editor->setText (text, false);
    editor->setBounds (getLocalBounds());
    addAndMakeVisible (*editor);
    editor->selectAll();
    editor->grabKeyboardFocus();
}

bool LabelWithModalTextEditor::isBeingEdited() const
{
    return editor != nullptr && editor->isVisible();
}

void LabelWithModalTextEditor::resized()
{
    if (editor != nullptr && editor->getParentComponent() == this)
        editor->setBounds (getLocalBounds());
}

void LabelWithModalTextEditor::textChanged (ModalTextEditor*)
{
    text = editor->getText();
    repaint();
    callListenersLastFirst (listeners, [this] (Listener& l) { l.labelTextChanged (this); });
}

void LabelWithModalTextEditor::editorClosed (ModalTextEditor*)
{
    editor->setVisible (false);
}

void LabelWithModalTextEditor::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void LabelWithModalTextEditor::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void LabelWithModalTextEditor::paint (juce::Graphics& g)
{
    g.setColour (findColour (juce::Label::textColourId));
    g.setFont (font);
    g.drawText (text, getLocalBounds(), juce::Justification::centredLeft, true);
}
