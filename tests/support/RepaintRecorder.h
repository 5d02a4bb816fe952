#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Stands where a host's window would: holds a component at (0, 0) and
// collects the areas its repaints ask for, which a window would then paint.
// paintDirtyRegion paints them into an image the way a window does: the
// whole component tree, clipped to the region.
class RepaintRecorder : public juce::Component
{
public:
    explicit RepaintRecorder (juce::Component& contentToHold) : content (contentToHold)
    {
        setSize (content.getWidth(), content.getHeight());
        addAndMakeVisible (content);
        setVisible (true);
        setCachedComponentImage (new Recorder (*this));
        dirty.clear();
    }

    ~RepaintRecorder() override
    {
        setCachedComponentImage (nullptr);
        removeChildComponent (&content);
    }

    const juce::RectangleList<int>& getDirtyRegion() const noexcept { return dirty; }
    void clear() { dirty.clear(); }

    // Paints what was asked for, then forgets it; the number of pixels painted.
    int paintDirtyRegion (juce::Image& image)
    {
        if (dirty.isEmpty())
            return 0;

        int pixels = 0;

        for (const auto& area : dirty)
            pixels += area.getWidth() * area.getHeight();

        juce::Graphics g (image);
        g.reduceClipRegion (dirty);
        content.paintEntireComponent (g, true);
        dirty.clear();
        return pixels;
    }

private:
    // Takes every repaint that reaches the holder and stops it there.
    struct Recorder : juce::CachedComponentImage
    {
        explicit Recorder (RepaintRecorder& r) : owner (r) {}

        void paint (juce::Graphics&) override {}
        bool invalidateAll() override
        {
            owner.dirty.add (owner.getLocalBounds());
            return false;
        }
        bool invalidate (const juce::Rectangle<int>& area) override
        {
            owner.dirty.add (area.getIntersection (owner.getLocalBounds()));
            return false;
        }
        void releaseResources() override {}

        RepaintRecorder& owner;
    };

    juce::Component& content;
    juce::RectangleList<int> dirty;
};
