#pragma once

#include "gui/controls/ComponentDetacher.h"
#include "gui/skin/GUIController.h"

class GFXDisplay;

// Told when the user has finished an edit that changed a display's text.
class GFXDisplayListener
{
public:
    virtual ~GFXDisplayListener() = default;
    virtual void displayTextChanged (GFXDisplay* display) = 0;
};

// One line of text drawn with a bitmap font, editable in place.
//
// The font strip is one column of cells, each the image's width wide and
// fontHeight high: the upper half holds the glyphs of the characters from
// firstASCII on, the lower half the same glyphs inverted, which mark the
// caret. Characters the font lacks show the first glyph.
//
// A click (unless "readonly") takes the keyboard focus and starts an edit
// with the caret at the end. Return ends it, Escape restores the text it
// started with; the listeners hear about an edit that changed the text. The
// display does not write the parameter itself.
//
// Where the display cannot take the focus inside the editor's window (a host
// that keeps the keyboard from the plug-in's window), it edits in a temporary
// window of its own at the same place and goes back when the edit ends.
class GFXDisplay : public GUIController,
                   public juce::Component,
                   private juce::Timer
{
public:
    static constexpr int caretPeriodMs = 500;

    explicit GFXDisplay (const juce::String& name);
    ~GFXDisplay() override;

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void parameterValueChanged (Parameter* parameter) override;

    // Stores and shows the text; tells nobody.
    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept { return text; }

    void addDisplayListener (GFXDisplayListener* listener);
    void removeDisplayListener (GFXDisplayListener* listener);

    // An invalid image draws the text in the component's font instead.
    void setFont (const juce::Image& fontImage, int fontHeight, int firstCharacter);
    // Whole cells across the width.
    int getNumVisibleCells() const;
    int getCaretPosition() const noexcept { return caret; }
    int getScrollOffset() const noexcept { return scroll; }
    bool isEditing() const noexcept { return editing; }
    bool isEditingInOwnWindow() const noexcept { return detacher.isDetached(); }

    void paint (juce::Graphics& g) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    void enablementChanged() override;

protected:
    void blinkPhaseChanged() override;

private:
    void timerCallback() override;

    void beginEditing();
    void endEditing();
    void editWithKey (const juce::KeyPress& key);
    void keepCaretVisible();
    void restartCaret();
    void updateGlyphMetrics();
    int glyphFor (juce::juce_wchar character) const;
    void paintGlyphs (juce::Graphics& g);
    void loadChildren (const juce::XmlElement& element);

    juce::Image font;
    int glyphWidth = 8, fontHeight = 0, firstCharacter = ' ', lastCharacter = 160, glyphCount = 0;
    int caret = 0, scroll = 0;
    bool caretOn = false, editing = false;
    juce::String text, shownText, textAtFocus;
    juce::Array<GFXDisplayListener*> displayListeners;
    ComponentDetacher detacher;
};
