#pragma once

#include "gui/skin/GUIController.h"

// What all film-strip controls share: the strip, its frame count, and the
// control's position and size as the skin gives them. With a strip the
// control is one frame in size; without one it takes the skin's "size" and
// draws a fallback picture.
class BaseGFXController : public GUIController
{
public:
    BaseGFXController();
    ~BaseGFXController() override;

    // Links and actions, then "gfx", "size" (only without a strip) and
    // "pos". Kinds read their own attributes after this and then call
    // applyStoredBounds.
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;

    const juce::Image& getImage() const noexcept { return image; }
    int getNumFrames() const noexcept { return numFrames; }
    bool hasImage() const noexcept { return image.isValid(); }

    // The frame the control shows now (0 when it or a parent is disabled).
    virtual int getShownFrame() const = 0;

    // Sets a strip and its frame count (below 1 reads as 1); the stored size
    // becomes one frame's size.
    void setImage (const juce::Image& newImage, int frames);

protected:
    // Apply the stored size or position to the component. The base does
    // nothing: most kinds set their bounds once, at the end of loading.
    virtual void sizeChanged() {}
    virtual void positionChanged() {}

    // Sets the component's bounds from the stored ones and repaints.
    void applyStoredBounds();
    // Draws the shown frame of the strip.
    void drawShownFrame (juce::Graphics& g);

    int storedLeft = 0, storedTop = 0, storedWidth = 0, storedHeight = 0;

private:
    void loadImage (const juce::XmlElement& element);
    void loadSize (const juce::XmlElement& element);
    void loadPosition (const juce::XmlElement& element);

    juce::Image image;
    int numFrames = 1;
};
