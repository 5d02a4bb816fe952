#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A window drawn inside the editor instead of a modal dialog, which a plug-in
// cannot rely on. On the first show() it moves onto a covering layer that
// fills the nearest Desktop ancestor (the editor), lies in front of
// everything there and takes every click aimed at it, so the controls
// beneath do not react; the layer may also dim them.
class PseudoModalComponent : public juce::Component
{
public:
    // Marks the component that pseudo-modal windows cover: the editor.
    class Desktop
    {
    public:
        virtual ~Desktop() = default;
    };

    // The covering layer: always its parent's full size, in front of it.
    class CoveringWindow : public juce::Component
    {
    public:
        explicit CoveringWindow (PseudoModalComponent& window);

        void paint (juce::Graphics&) override;
        void resized() override;
        void parentSizeChanged() override;
        void parentHierarchyChanged() override;

    private:
        void fillParent();

        PseudoModalComponent& window;

        JUCE_DECLARE_NON_COPYABLE (CoveringWindow)
    };

    PseudoModalComponent();
    ~PseudoModalComponent() override;

    // Centred over the desktop.
    void show();
    // With its top left at a point given in the coordinates of relativeTo
    // (the desktop's when null).
    void showAt (juce::Point<int> point, const juce::Component* relativeTo);
    void hide();

    // Visible inside the editor: the covering layer is shown (or, never
    // attached, the window itself is visible).
    bool isShown() const;

    virtual bool dimsBackground() const { return false; }
    // Centres the window in its parent, or puts it at the stored point.
    virtual void positionWindow();
    // Called after the window was shown or hidden.
    virtual void shownOrHidden() {}

protected:
    bool isAttached() const { return attached; }

private:
    enum class Placement
    {
        centred,
        atPoint
    };

    bool attach();
    void showPlaced (Placement placement, juce::Point<int> point, const juce::Component* relativeTo);

    Placement placement = Placement::centred;
    juce::Point<int> storedPoint;
    std::unique_ptr<CoveringWindow> coveringWindow;
    bool attached = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PseudoModalComponent)
};
