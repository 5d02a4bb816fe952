#include "gui/widgets/ModalTextEditor.h"

#include "framework/ListenerWalk.h"
#include "gui/widgets/PseudoModalComponent.h"

ModalTextEditor::ModalTextEditor()
{
    setMultiLine (false);
    setReturnKeyStartsNewLine (false);
    setEscapeAndReturnKeysConsumed (true);
}

ModalTextEditor::~ModalTextEditor()
{
    // Never leave this editor behind as a child of the host.
    const juce::ScopedValueSetter<bool> guard (moving, true);

    if (auto* parent = getParentComponent())
        parent->removeChildComponent (this);
}

void ModalTextEditor::addModalListener (ModalListener* listener)
{
    if (listener != nullptr)
        modalListeners.addIfNotAlreadyThere (listener);
}

void ModalTextEditor::removeModalListener (ModalListener* listener)
{
    modalListeners.removeFirstMatchingValue (listener);
}

juce::Component* ModalTextEditor::findHost() const
{
    for (auto* c = getParentComponent(); c != nullptr; c = c->getParentComponent())
        if (dynamic_cast<PseudoModalComponent::Desktop*> (c) != nullptr)
            return c;

    return getTopLevelComponent();
}

void ModalTextEditor::focusGained (FocusChangeType cause)
{
    juce::TextEditor::focusGained (cause);

    if (moving || onTop)
        return;

    textAtFocus = getText();
    moveOnTop();
}

void ModalTextEditor::moveOnTop()
{
    auto* host = findHost();
    savedParent = getParentComponent();
    savedBounds = getBounds();

    if (host == nullptr || host == this || host == savedParent.getComponent())
    {
        onTop = true;
        return;
    }

    {
        const juce::ScopedValueSetter<bool> guard (moving, true);
        const auto bounds = host->getLocalArea (savedParent, savedBounds);
        host->addAndMakeVisible (this);
        setBounds (bounds);
        onTop = true;
    }

    grabKeyboardFocus();
}

void ModalTextEditor::focusLost (FocusChangeType cause)
{
    juce::TextEditor::focusLost (cause);

    if (moving || ! onTop)
        return;

    moveBack();

    // A listener may delete this editor (with its owner) when it hears.
    const SafePointer<ModalTextEditor> safeThis (this);
    callListenersLastFirst (modalListeners, [this] (ModalListener& l) { l.editorClosed (this); });

    if (safeThis != nullptr && getText() != textAtFocus)
        callListenersLastFirst (modalListeners, [this] (ModalListener& l) { l.textChanged (this); });
}

void ModalTextEditor::moveBack()
{
    const juce::ScopedValueSetter<bool> guard (moving, true);
    onTop = false;

    if (savedParent == nullptr)
    {
        if (auto* parent = getParentComponent())
            parent->removeChildComponent (this);

        return;
    }

    if (getParentComponent() != savedParent.getComponent())
        savedParent->addChildComponent (this);

    setBounds (savedBounds);
}

void ModalTextEditor::returnPressed()
{
    juce::TextEditor::returnPressed();
    giveAwayKeyboardFocus();
}

void ModalTextEditor::escapePressed()
{
    juce::TextEditor::escapePressed();
    setText (textAtFocus, false);

    const SafePointer<ModalTextEditor> safeThis (this);
    giveAwayKeyboardFocus();

    if (safeThis != nullptr)
        callListenersLastFirst (modalListeners, [this] (ModalListener& l) { l.editCancelled (this); });
}
