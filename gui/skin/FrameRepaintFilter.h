#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <optional>

// Keeps a film-strip control from repainting when what it would draw has not
// changed. JUCE's slider and button repaint on every value or state change;
// a film-strip control's picture depends only on the frame it shows and its
// size, so a repaint request that finds both as they were at the last
// request is dropped. Installed as the component's cached image, it sees
// every repaint of the component itself, and those its children pass up,
// which it never drops; repaints of a parent still paint it.
class FrameRepaintFilter : public juce::CachedComponentImage
{
public:
    FrameRepaintFilter (juce::Component& component, std::function<int()> shownFrame);

    void paint (juce::Graphics& g) override;
    bool invalidateAll() override;
    bool invalidate (const juce::Rectangle<int>& area) override;
    // The component was hidden: the next request repaints whatever it finds.
    void releaseResources() override;

private:
    struct Look
    {
        int frame, width, height;
        bool operator== (const Look& other) const;
    };

    Look currentLook() const;

    juce::Component& component;
    std::function<int()> shownFrame;
    std::optional<Look> lastRequested;
};
