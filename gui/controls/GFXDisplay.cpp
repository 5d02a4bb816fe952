#include "gui/controls/GFXDisplay.h"

#include "framework/ListenerWalk.h"
#include "gui/look/EmbeddedImages.h"
#include "gui/look/ImageSets.h"
#include "gui/skin/SkinXml.h"

GFXDisplay::GFXDisplay (const juce::String& name)
    : juce::Component (name)
{
    setOpaque (true);
    setWantsKeyboardFocus (true);
}

GFXDisplay::~GFXDisplay()
{
    juce::Desktop::getInstance().removeGlobalMouseListener (this);
    stopTimer();
}

void GFXDisplay::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                              EventsMap& events, BasePluginEditor* editor)
{
    GUIController::loadFromXml (element, parameters, events, editor);

    // The display shows its own name until the parameter first reports.
    setText (SkinXml::readString (element, "name"));
    setColour (juce::CaretComponent::caretColourId, SkinXml::readColour (element, "caretColour"));
    setColour (juce::TextEditor::backgroundColourId, SkinXml::readColour (element, "backgroundColour"));
    setEnabled (SkinXml::readString (element, "readonly", "no") != "yes");
    loadChildren (element);
    updateGlyphMetrics();
    repaint();
}

void GFXDisplay::parameterValueChanged (Parameter* parameter)
{
    setText (parameter->getText());
}

void GFXDisplay::setText (const juce::String& newText)
{
    text = newText;
    shownText = newText;
    repaint();
}

void GFXDisplay::addDisplayListener (GFXDisplayListener* listener)
{
    if (listener != nullptr)
        displayListeners.addIfNotAlreadyThere (listener);
}

void GFXDisplay::removeDisplayListener (GFXDisplayListener* listener)
{
    displayListeners.removeFirstMatchingValue (listener);
}

void GFXDisplay::setFont (const juce::Image& fontImage, int newFontHeight, int newFirstCharacter)
{
    font = fontImage;
    fontHeight = newFontHeight;
    firstCharacter = newFirstCharacter;
    updateGlyphMetrics();
    repaint();
}

int GFXDisplay::getNumVisibleCells() const
{
    return glyphWidth > 0 ? getWidth() / glyphWidth : 0;
}

void GFXDisplay::paint (juce::Graphics& g)
{
    g.fillAll (findColour (juce::TextEditor::backgroundColourId));

    if (! font.isValid())
    {
        g.setColour (juce::Colours::black);
        g.drawText (shownText, getLocalBounds(), juce::Justification::centredLeft, true);
        return;
    }

    if (glyphWidth > 0 && fontHeight > 0 && glyphCount > 0)
        paintGlyphs (g);
}

// Every key is taken while the display has the focus.
bool GFXDisplay::keyPressed (const juce::KeyPress& key)
{
    const bool plain = key.getModifiers().withoutMouseButtons() == juce::ModifierKeys();
    const int code = key.getKeyCode();

    if (plain && code == juce::KeyPress::returnKey)
    {
        endEditing();
    }
    else if (plain && code == juce::KeyPress::escapeKey)
    {
        setText (textAtFocus);
        endEditing();
    }
    else
    {
        editWithKey (key);
        caret = juce::jlimit (0, text.length(), caret);
        keepCaretVisible();
        restartCaret();
        repaint();
    }

    return true;
}

// The focus is taken where the display is; when the window it is in cannot
// take it (the host keeps the keyboard), the edit happens in a window of the
// display's own. While editing, the display hears every click of the
// process: a click anywhere else ends the edit, as a loss of focus would,
// even where JUCE keeps the focus here (a click on a control that takes no
// focus).
void GFXDisplay::mouseDown (const juce::MouseEvent& e)
{
    if (editing && e.originalComponent != this)
        endEditing();

    if (! isEnabled() || editing || ! isShowing() || e.originalComponent != this)
        return;

    grabKeyboardFocus();

    if (editing || ! detacher.detach (*this))
        return;

    grabKeyboardFocus();

    if (! editing)
        detacher.reattach();
}

void GFXDisplay::focusGained (FocusChangeType)
{
    if (! editing)
        beginEditing();
}

void GFXDisplay::focusLost (FocusChangeType)
{
    endEditing();
}

void GFXDisplay::enablementChanged()
{
    repaint();
}

void GFXDisplay::blinkPhaseChanged()
{
    shownText = isInBlinkOffPhase() ? juce::String() : text;
    repaint();
}

void GFXDisplay::timerCallback()
{
    if (! editing)
        return;

    caretOn = ! caretOn;
    repaint();
}

// The caret starts at the end, with the view scrolled so that it shows.
void GFXDisplay::beginEditing()
{
    editing = true;
    scroll = 0;
    caret = text.length();
    keepCaretVisible();
    textAtFocus = text;
    restartCaret();
    juce::Desktop::getInstance().addGlobalMouseListener (this);
    repaint();
}

// Runs once per edit, whether Return, Escape or a loss of focus ends it.
void GFXDisplay::endEditing()
{
    if (! editing)
        return;

    editing = false;
    juce::Desktop::getInstance().removeGlobalMouseListener (this);
    caret = 0;
    scroll = 0;
    keepCaretVisible();
    stopTimer();
    caretOn = false;

    if (hasKeyboardFocus (false))
        giveAwayKeyboardFocus();

    // The display's own window may be the one handling this key or focus
    // event: it goes once that event is over.
    if (detacher.isDetached())
        juce::MessageManager::callAsync ([safe = SafePointer<GFXDisplay> (this)] {
            if (safe != nullptr && ! safe->editing)
                safe->detacher.reattach();
        });

    if (text != textAtFocus)
        callListenersLastFirst (displayListeners, [this] (GFXDisplayListener& l) { l.displayTextChanged (this); });

    repaint();
}

void GFXDisplay::editWithKey (const juce::KeyPress& key)
{
    const bool plain = key.getModifiers().withoutMouseButtons() == juce::ModifierKeys();
    const int code = key.getKeyCode();
    const auto character = key.getTextCharacter();
    const auto inFont = [this] (int c) { return c >= firstCharacter && c <= lastCharacter; };

    if (plain && code == juce::KeyPress::backspaceKey)
    {
        if (caret > 0)
            setText (text.substring (0, caret - 1) + text.substring (caret));

        --caret;
    }
    else if (plain && code == juce::KeyPress::deleteKey)
        setText (text.substring (0, caret) + text.substring (caret + 1));
    else if (plain && code == juce::KeyPress::homeKey)
        caret = 0;
    else if (plain && code == juce::KeyPress::endKey)
        caret = text.length();
    else if (plain && code == juce::KeyPress::leftKey)
        --caret;
    else if (plain && code == juce::KeyPress::rightKey)
        ++caret;
    else if (inFont (code) && inFont ((int) character))
    {
        setText (text.substring (0, caret) + juce::String::charToString (character) + text.substring (caret));
        ++caret;
    }
}

// Scrolls only when the caret leaves the view, keeping one character of
// context to its left (and one to its right while it is inside the text).
void GFXDisplay::keepCaretVisible()
{
    const int lastCell = getNumVisibleCells() - 1;

    if (scroll + lastCell < caret + 1)
        scroll = caret - lastCell + (caret < text.length() ? 1 : 0);

    if (scroll >= caret)
        scroll = caret > 0 ? caret - 1 : 0;
}

void GFXDisplay::restartCaret()
{
    caretOn = true;
    startTimer (caretPeriodMs);
}

void GFXDisplay::updateGlyphMetrics()
{
    if (font.isValid())
        glyphWidth = font.getWidth();

    if (fontHeight < 1)
    {
        lastCharacter = firstCharacter;
        glyphCount = 1;
        return;
    }

    glyphCount = font.getHeight() / (2 * fontHeight);
    lastCharacter = firstCharacter + glyphCount - 1;
}

// Characters outside ASCII, and those the font lacks below its range, show
// the first glyph; those above its range the last.
int GFXDisplay::glyphFor (juce::juce_wchar character) const
{
    if ((juce::uint32) character > 127)
        return firstCharacter;

    return juce::jlimit (firstCharacter, lastCharacter, (int) character);
}

void GFXDisplay::paintGlyphs (juce::Graphics& g)
{
    const int cells = getNumVisibleCells();
    const int x0 = (getWidth() % glyphWidth) / 2;
    const int y0 = (getHeight() - fontHeight) / 2;
    const int caretCell = editing && caretOn ? caret : -1;

    ImageSets::drawSideBySide (g, { x0, y0, cells * glyphWidth, fontHeight }, [&] (juce::Graphics& cellsContext) {
        for (int k = 0; k < cells; ++k)
        {
            const int i = scroll + k;
            const auto character = i >= 0 && i < shownText.length() ? shownText[i] : (juce::juce_wchar) ' ';
            const int row = glyphFor (character) - firstCharacter + (i == caretCell ? glyphCount : 0);

            ImageSets::draw (cellsContext, font,
                             juce::Rectangle<int> (x0 + k * glyphWidth, y0, glyphWidth, fontHeight).toFloat(),
                             { 0, row * fontHeight, glyphWidth, fontHeight });
        }
    });
}

// Every "gfx", "pos" and "size" child in document order: the last of each
// kind counts.
void GFXDisplay::loadChildren (const juce::XmlElement& element)
{
    for (const auto* child : element.getChildIterator())
    {
        if (SkinXml::hasTag (*child, "gfx"))
        {
            const auto image = EmbeddedImages::load (SkinXml::readString (*child, "resource"));
            const auto first = SkinXml::readString (*child, "firstASCII", " ");

            if (image.isValid())
                font = image;

            fontHeight = SkinXml::readInt (*child, "fontHeight");
            firstCharacter = first.isEmpty() ? ' ' : (int) first[0];
            updateGlyphMetrics();
            repaint();
        }
        else if (SkinXml::hasTag (*child, "pos"))
        {
            setTopLeftPosition (SkinXml::readInt (*child, "left"), SkinXml::readInt (*child, "top"));
        }
        else if (SkinXml::hasTag (*child, "size"))
        {
            setSize (juce::jmax (0, SkinXml::readInt (*child, "width")), juce::jmax (0, SkinXml::readInt (*child, "height")));
        }
    }
}
