#pragma once

#include "gui/skin/BaseGFXController.h"

// A two-way switch that fires events: a press on its "more" half (the upper
// one, or the right one for type "horizontal") shows frame 2 and fires the
// "more" event, a press on the other half shows frame 0 and fires the "less"
// event; with Ctrl held the Ctrl events fire instead, if set. It rests at
// frame 1.
class GFXRocker : public BaseGFXController,
                  public juce::Component
{
public:
    explicit GFXRocker (const juce::String& name);

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void addAction (const juce::String& type, int eventId, const juce::String& displayName) override;
    int getShownFrame() const override;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    enum Frame
    {
        lessFrame,
        restFrame,
        moreFrame
    };

    bool isOnMoreHalf (juce::Point<float> position) const;
    void setFrame (int frame);
    void paintFallback (juce::Graphics& g);

    bool horizontal = false;
    int frame = restFrame;
    int lessId = -1, moreId = -1, lessCtrlId = -1, moreCtrlId = -1;
};
