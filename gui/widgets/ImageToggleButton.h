#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A toggle button drawn as one of two images, for the check box and the
// radio group. It takes the size of its images.
class ImageToggleButton : public juce::Button
{
public:
    explicit ImageToggleButton (const juce::String& name);

    void setImages (const juce::Image& off, const juce::Image& on);

    void paintButton (juce::Graphics&, bool isHighlighted, bool isDown) override;

private:
    juce::Image offImage, onImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageToggleButton)
};
