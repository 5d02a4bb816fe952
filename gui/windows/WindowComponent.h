#pragma once

#include "gui/look/EmbeddedImages.h"
#include "gui/widgets/PseudoModalComponent.h"

// A pseudo-modal window with a frame: background, outline, an optional
// shadow strip on one side, and a title bar with an icon, the title and a
// close button that hides the window. Subclasses lay out their content in
// getContentArea().
class WindowComponent : public PseudoModalComponent
{
public:
    WindowComponent();

    void setTitle (const juce::String& title);
    const juce::String& getTitle() const { return title; }

    // Sizes the window so that its content area is width x height, but not
    // smaller than 250 x 120 in all.
    void setContentSize (int width, int height);
    juce::Rectangle<int> getContentArea() const;

    void setRoundedCorners (bool shouldBeRounded);
    void setHasTitleBar (bool shouldHaveTitleBar);
    void setHasOutline (bool shouldHaveOutline);
    // EmbeddedImages::noShadow, shadowTop, shadowBottom, shadowLeft or shadowRight.
    void setShadowSide (int side);
    bool hasRoundedCorners() const { return roundedCorners; }
    bool hasTitleBar() const { return titleBar; }
    bool hasOutline() const { return outline; }
    int getShadowSide() const { return shadowSide; }

    juce::ImageButton& getCloseButton() { return closeButton; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;

protected:
    virtual void closeButtonClicked();

private:
    juce::Rectangle<int> getTitleBarArea() const;
    juce::Rectangle<int> getTitleTextArea() const;
    int getShadowThickness() const;
    void paintFrame (juce::Graphics&);
    void paintTitleBar (juce::Graphics&);
    void frameChanged();

    juce::String title;
    juce::Font titleFont;
    juce::Image titleIcon, shadowImage;
    juce::ImageButton closeButton { "CloseButton" };
    bool roundedCorners = true;
    bool titleBar = true;
    bool outline = true;
    int shadowSide = EmbeddedImages::noShadow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowComponent)
};
