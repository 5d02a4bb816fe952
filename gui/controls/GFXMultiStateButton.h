#pragma once

#include "gui/controls/GFXButton.h"

// A button that fires events like GFXButton and shows one of "states"
// states: the frame is the state ("2D"), or twice the state plus 1 while
// pressed ("3D"). A linked parameter's value picks the state; the editor may
// also set it (the MIDI learn button).
class GFXMultiStateButton : public GFXButton
{
public:
    explicit GFXMultiStateButton (const juce::String& name);

    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void parameterValueChanged (Parameter* parameter) override;
    int getShownFrame() const override;

    // Kept within 0..states - 1.
    void setCurrentState (int state);
    int getCurrentState() const noexcept { return currentState; }
    void setNumStates (int states);
    int getNumStates() const noexcept { return numStates; }

protected:
    void blinkPhaseChanged() override;

private:
    bool isThreeD = false;
    int numStates = 2, currentState = 0;
};
