#pragma once

#include "gui/skin/BaseGFXController.h"

// A display-only strip (meters, lights): the editor sets its frame from a
// value; a flash shows a frame for a while and then returns to frame 0.
class GFXAnimation : public BaseGFXController,
                     public juce::Component,
                     private juce::Timer
{
public:
    explicit GFXAnimation (const juce::String& name);
    ~GFXAnimation() override;

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void parameterValueChanged (Parameter* parameter) override;
    int getShownFrame() const override;

    // The value is kept within 0..1; repaints only when the frame changes.
    void setFrameFromValue (float value);
    void setFrame (int frame);
    int getFrame() const noexcept { return currentFrame; }
    // Shows the frame now and frame 0 after the time.
    void flash (int frame, int milliseconds);

    void paint (juce::Graphics& g) override;

protected:
    void sizeChanged() override;
    void positionChanged() override;
    void blinkPhaseChanged() override;

private:
    void timerCallback() override;
    void paintFallback (juce::Graphics& g);

    static constexpr int restFrame = 0;
    int currentFrame = 0;
};
