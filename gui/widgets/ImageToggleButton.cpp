#include "gui/widgets/ImageToggleButton.h"

#include "gui/look/ImageSets.h"

ImageToggleButton::ImageToggleButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (true);
}

void ImageToggleButton::setImages (const juce::Image& off, const juce::Image& on)
{
    offImage = off;
    onImage = on;
    setSize (juce::jmax (off.getWidth(), on.getWidth()), juce::jmax (off.getHeight(), on.getHeight()));
    repaint();
}

void ImageToggleButton::paintButton (juce::Graphics& g, bool, bool)
{
    const auto& image = getToggleState() ? onImage : offImage;

    if (! image.isValid())
        return;

    g.setOpacity (isEnabled() ? 1.0f : 0.5f);
    ImageSets::drawAt (g, image, 0, 0);
}
