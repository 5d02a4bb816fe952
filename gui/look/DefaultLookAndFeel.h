#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

class TextButtonEx;

// The framework's look and feel: the colour table, the two Tahoma 13 fonts
// (from the embedded faces), the metrics of the framework's own widgets, the
// embedded button images, and the drawing of scroll bars, tooltips, tabs and
// a few other JUCE widgets. The editor owns one and sets it on itself, so
// everything inside the editor inherits it. Widgets look for it by type and
// keep their own defaults under any other look and feel.
class DefaultLookAndFeel : public juce::LookAndFeel_V2
{
public:
    enum ArrowDirection
    {
        arrowUp,
        arrowRight,
        arrowDown,
        arrowLeft
    };

    DefaultLookAndFeel();
    ~DefaultLookAndFeel() override;

    const juce::Font& getPlainFont() const { return plainFont; }
    const juce::Font& getBoldFont() const { return boldFont; }
    // An arrow inside a 13 x 13 box.
    const juce::Path& getArrowShape (int direction) const;

    // "Tahoma" in any letter case is the embedded face.
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;

    // Replaced drawing of JUCE widgets.
    void drawProgressBar (juce::Graphics&, juce::ProgressBar&, int width, int height, double progress, const juce::String& text) override;
    void drawScrollbarButton (juce::Graphics&, juce::ScrollBar&, int width, int height, int buttonDirection,
                              bool isScrollbarVertical, bool isHighlighted, bool isDown) override;
    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height, bool isScrollbarVertical,
                        int thumbStartPosition, int thumbSize, bool isMouseOver, bool isMouseDown) override;
    int getDefaultScrollbarWidth() override;
    int getScrollbarButtonSize (juce::ScrollBar&) override;
    void drawTreeviewPlusMinusBox (juce::Graphics&, const juce::Rectangle<float>& area, juce::Colour background,
                                   bool isOpen, bool isMouseOver) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawFileBrowserRow (juce::Graphics&, int width, int height, const juce::File&, const juce::String& filename,
                             juce::Image* icon, const juce::String& fileSizeDescription,
                             const juce::String& fileTimeDescription, bool isDirectory, bool isItemSelected,
                             int itemIndex, juce::DirectoryContentsDisplayComponent&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;
    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;
    void drawCornerResizer (juce::Graphics&, int w, int h, bool isMouseOver, bool isMouseDragging) override;
    void drawDocumentWindowTitleBar (juce::DocumentWindow&, juce::Graphics&, int w, int h, int titleSpaceX,
                                     int titleSpaceW, const juce::Image* icon, bool drawTitleTextOnLeft) override;
    void positionDocumentWindowButtons (juce::DocumentWindow&, int titleBarX, int titleBarY, int titleBarW,
                                        int titleBarH, juce::Button* minimiseButton, juce::Button* maximiseButton,
                                        juce::Button* closeButton, bool positionTitleBarButtonsOnLeft) override;
    void createTabButtonShape (juce::TabBarButton&, juce::Path&, bool isMouseOver, bool isMouseDown) override;
    void fillTabButtonShape (juce::TabBarButton&, juce::Graphics&, const juce::Path&, bool isMouseOver,
                             bool isMouseDown) override;
    void drawTabButtonText (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;
    juce::Font getTabButtonFont (juce::TabBarButton&, float height) override;
    int getTabButtonOverlap (int tabDepth) override;
    int getTabButtonSpaceAroundImage() override;
    int getTabButtonBestWidth (juce::TabBarButton&, int tabDepth) override;
    void drawTabButton (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;
    void drawTabAreaBehindFrontButton (juce::TabbedButtonBar&, juce::Graphics&, int w, int h) override;
    void drawImageButton (juce::Graphics&, juce::Image*, int imageX, int imageY, int imageW, int imageH,
                          const juce::Colour& overlayColour, float imageOpacity, juce::ImageButton&) override;
    void drawLevelMeter (juce::Graphics&, int width, int height, float level) override;

    // The size a tooltip takes for its text.
    virtual juce::Rectangle<int> getTooltipSize (const juce::String& text);

    // Metrics, fonts and images of the framework's widgets.
    virtual juce::Image getCheckBoxOffImage();
    virtual juce::Image getCheckBoxOnImage();
    virtual juce::Font getCheckBoxFont();
    virtual int getCheckBoxTextGap();
    virtual juce::Image getRadioButtonOffImage();
    virtual juce::Image getRadioButtonOnImage();
    virtual juce::Font getRadioGroupTitleFont();
    virtual juce::Font getRadioButtonFont();
    virtual int getRadioGroupTitleInset();
    virtual int getRadioGroupTitleGap();
    virtual int getRadioGroupLeftMargin();
    virtual int getRadioGroupSpacing();
    virtual int getRadioGroupRowHeight();
    virtual float getRadioGroupCornerSize();
    virtual int getRadioButtonTextGap();
    // A titled panel's metrics (no widget of this product uses them).
    virtual juce::Font getPanelTitleFont();
    virtual int getPanelTitleHeight();
    virtual float getPanelCornerSize();
    virtual juce::BorderSize<int> getPanelBorder();
    virtual juce::Font getTabFont();
    virtual int getTabBarDepth();
    virtual int getTabIndent();
    virtual juce::Font getStatusBarFont();
    virtual int getStatusBarHeight();
    virtual int getDefaultImageButtonStyle();
    virtual int getDefaultTextButtonStyle();

    // Image buttons of kinds 0 to 16 (see EmbeddedImages); style 2 is the
    // large set. A kind out of range gives a button without images, and
    // leaves an existing button unchanged.
    virtual std::unique_ptr<juce::ImageButton> createImageButton (const juce::String& name, int kind, int style);
    std::unique_ptr<juce::ImageButton> createImageButton (const juce::String& name, int kind);
    virtual void setImageButtonImages (juce::ImageButton& button, int kind, int style);

    // Text buttons of style 0 or 1 (the 28-pixel set) and 2 (the 32-pixel
    // set); other styles leave a button's images unchanged.
    virtual std::unique_ptr<TextButtonEx> createTextButton (const juce::String& text, int style);
    std::unique_ptr<TextButtonEx> createTextButton (const juce::String& text);
    virtual void setTextButtonImages (TextButtonEx& button, int style);

private:
    void setColourTable();
    void buildArrowShapes();
    void drawTabText (juce::TabBarButton&, juce::Graphics&, juce::Rectangle<int> area);

    juce::Font plainFont, boldFont;
    std::array<juce::Path, 4> arrows;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultLookAndFeel)
};
