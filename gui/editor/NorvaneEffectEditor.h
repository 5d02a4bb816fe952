#pragma once

#include "gui/editor/BasePluginEditorOldStyle.h"

class GFXAnimation;
class NorvaneEffect;

// The effect family's editor: the options window and the preset browser
// open as panels docked below the face (one at a time, growing the editor
// by their height) instead of windows over it, and the two level meters
// follow the processor's published levels, falling away while the effect
// is not prepared.
class NorvaneEffectEditor : public BasePluginEditorOldStyle
{
public:
    static constexpr int dockedPanelHeight = 256;
    // Per 25 ms while the effect is not prepared; below the floor a meter is 0.
    static constexpr float meterFallFactor = 0.675f;
    static constexpr float meterFloor = 0.01f;

    explicit NorvaneEffectEditor (NorvaneEffect& effect);
    ~NorvaneEffectEditor() override;

    void updateDisplay() override;
    void actionTriggered (GUIController* control, int eventId) override;

    NorvaneEffect& getEffect() const noexcept { return effect; }
    int getFaceHeight() const noexcept { return faceHeight; }
    GFXAnimation* getLeftMeter() const noexcept { return leftMeter; }
    GFXAnimation* getRightMeter() const noexcept { return rightMeter; }

    // The next shown value of a falling meter.
    static float fall (float value) noexcept;

private:
    void dockPanels();
    // Opens or closes one panel, closes the other and fits the editor.
    void togglePanel (juce::Component* panel, juce::Component* other);

    NorvaneEffect& effect;
    int faceHeight = 0;
    GFXAnimation* leftMeter = nullptr;
    GFXAnimation* rightMeter = nullptr;
    float shownLeft = 0.0f, shownRight = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NorvaneEffectEditor)
};
