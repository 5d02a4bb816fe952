#pragma once

#include "gui/controls/GFXButton.h"

// A push button with a text, drawn from seven images the look and feel
// supplies: left cap, middle and right cap (normal and pressed), and an
// overlay over the middle. The middle stretches over the text, so the
// button is left cap + text width + right cap wide and as high as the
// images. Without images it draws as a GFXButton does without a strip.
class TextButtonEx : public GFXButton
{
public:
    struct Images
    {
        juce::Image left, middle, right, leftPressed, middlePressed, rightPressed, overlay;
    };

    explicit TextButtonEx (const juce::String& text, int style = 1);

    int getStyle() const { return style; }
    void setText (const juce::String& text);
    void setFont (const juce::Font& font);
    const juce::Font& getFont() const { return font; }
    // Needs at least the normal left cap, middle and right cap; otherwise
    // the button goes back to drawing without images.
    void setImages (const Images& images);
    bool hasImages() const { return images.left.isValid() && images.middle.isValid() && images.right.isValid(); }

    void lookAndFeelChanged() override;
    void mouseEnter (const juce::MouseEvent&) override;
    void modifierKeysChanged (const juce::ModifierKeys&) override;

protected:
    void paintButton (juce::Graphics&, bool isHighlighted, bool isDown) override;

private:
    bool hasEvents() const { return getClickEventId() != -1 || getCtrlClickEventId() != -1; }
    void updateSize();

    const int style;
    Images images;
    int leftCapWidth = 10, rightCapWidth = 10, buttonHeight = 20;
    juce::Font font { 14.0f };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextButtonEx)
};
