#include "gui/skin/FilmStrip.h"

#include "framework/SteppedValue.h"
#include "gui/look/ImageSets.h"

int FilmStrip::frameForValue (double value, int numFrames) noexcept
{
    // The same reading of a value as the parameters' own, so a switch shows
    // the frame of the item the host's value selects, also on a boundary.
    return numFrames <= 1 ? 0 : (int) SteppedValue::nearestStep (value, numFrames - 1);
}

int FilmStrip::frameHeight (const juce::Image& image, int numFrames) noexcept
{
    return image.getHeight() / juce::jmax (1, numFrames);
}

void FilmStrip::drawFrame (juce::Graphics& g, const juce::Image& image, int numFrames, int frame)
{
    const int width = image.getWidth();
    const int height = frameHeight (image, numFrames);

    if (width <= 0 || height <= 0)
        return;

    frame = juce::jlimit (0, juce::jmax (1, numFrames) - 1, frame);
    ImageSets::draw (g, image, { (float) width, (float) height }, { 0, frame * height, width, height });
}
