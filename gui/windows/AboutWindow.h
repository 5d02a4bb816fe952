#pragma once

#include "gui/windows/WindowComponent.h"

// The product's name, version and maker, the credits for what it is built
// with, and its licence: a window drawn inside the editor like the others,
// hidden until the "About" event shows it.
class AboutWindow : public WindowComponent
{
public:
    struct Product
    {
        juce::String name, version, maker;
    };

    static constexpr int defaultWidth = 640;
    static constexpr int defaultHeight = 480;

    explicit AboutWindow (const Product& product);

    const Product& getProduct() const noexcept { return product; }
    // The credits and the licence notice, as the window shows them.
    const juce::String& getNotice() const noexcept { return notice; }

    // In an editor smaller than the window, the window takes the editor's
    // size, so that its title bar and close button stay in reach.
    void positionWindow() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;

private:
    static juce::String createNotice (const Product& product);
    juce::Rectangle<int> getHeadingArea() const;

    Product product;
    juce::String notice;
    juce::TextEditor noticeText;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
