#include "gui/skin/BaseGFXController.h"

#include "gui/look/EmbeddedImages.h"
#include "gui/skin/FilmStrip.h"
#include "gui/skin/FrameRepaintFilter.h"
#include "gui/skin/SkinXml.h"

BaseGFXController::BaseGFXController() = default;
BaseGFXController::~BaseGFXController() = default;

void BaseGFXController::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                     EventsMap& events, BasePluginEditor* editor)
{
    GUIController::loadFromXml (element, parameters, events, editor);
    loadImage (element);

    if (! hasImage())
        loadSize (element);

    loadPosition (element);
}

void BaseGFXController::applyStoredBounds()
{
    getComponent().setBounds (storedLeft, storedTop, storedWidth, storedHeight);
    getComponent().repaint();
}

void BaseGFXController::drawShownFrame (juce::Graphics& g)
{
    FilmStrip::drawFrame (g, image, numFrames, getShownFrame());
}

void BaseGFXController::setImage (const juce::Image& newImage, int frames)
{
    image = newImage;
    numFrames = juce::jmax (1, frames);

    const int width = image.getWidth();
    const int height = FilmStrip::frameHeight (image, numFrames);

    // A strip's picture depends only on the frame: repaints that would draw
    // the same frame again are dropped.
    auto& component = getComponent();
    component.setCachedComponentImage (new FrameRepaintFilter (component, [this] { return getShownFrame(); }));

    if (width != storedWidth || height != storedHeight)
    {
        storedWidth = width;
        storedHeight = height;
        sizeChanged();
    }
}

// The first "gfx": a strip that loads replaces the stored size. A frame count
// below 1 reads as 1. Strips come through the image cache, so the editors of
// several instances share one decoded copy.
void BaseGFXController::loadImage (const juce::XmlElement& element)
{
    const auto* gfx = SkinXml::firstChild (element, "gfx");

    if (gfx == nullptr)
        return;

    const int frames = SkinXml::readInt (*gfx, "framesNum", 1);
    const auto loaded = EmbeddedImages::load (SkinXml::readString (*gfx, "resource"));

    if (loaded.isValid())
        setImage (loaded, frames);
}

void BaseGFXController::loadSize (const juce::XmlElement& element)
{
    const auto* size = SkinXml::firstChild (element, "size");

    storedWidth = size != nullptr ? juce::jmax (0, SkinXml::readInt (*size, "width")) : 0;
    storedHeight = size != nullptr ? juce::jmax (0, SkinXml::readInt (*size, "height")) : 0;
    sizeChanged();
}

void BaseGFXController::loadPosition (const juce::XmlElement& element)
{
    const auto* pos = SkinXml::firstChild (element, "pos");
    const int left = pos != nullptr ? SkinXml::readInt (*pos, "left") : 0;
    const int top = pos != nullptr ? SkinXml::readInt (*pos, "top") : 0;

    if (left != storedLeft || top != storedTop)
    {
        storedLeft = left;
        storedTop = top;
        positionChanged();
    }
}
