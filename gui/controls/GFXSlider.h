#pragma once

#include "gui/skin/BaseGFXController.h"

// The slider half of the knob and the switch: JUCE's slider does the mouse
// work over a range of 0..1 (250 pixels of travel for the full range, Ctrl or
// Alt for velocity mode, the wheel in steps of 0.15); this class sends the
// user's changes to the linked parameter inside a gesture, shows the
// parameter's value without sending it back, and draws the strip's frame in
// place of the slider.
class GFXSlider : public BaseGFXController,
                  public juce::Slider
{
public:
    explicit GFXSlider (const juce::String& name);
    ~GFXSlider() override;

    juce::Component& getComponent() override { return *this; }
    void parameterValueChanged (Parameter* parameter) override;

    // The value as a proportion of the range.
    double getProportion() const;

protected:
    void startedDragging() override;
    void stoppedDragging() override;
    void valueChanged() override;
    void paint (juce::Graphics& g) override;

    // The unlinked fallback's value text.
    virtual juce::String formatValue (double value) const = 0;

private:
    void paintFallback (juce::Graphics& g);
};
