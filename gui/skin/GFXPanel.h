#pragma once

#include "gui/skin/BaseGFXController.h"
#include "gui/skin/SkinControls.h"

// A control that holds other controls: the kinds of its "controls" element,
// each moved by the element's ofsX and ofsY from where its own "pos" put it.
// Its own strip, if any, is drawn as frame 0 behind them; "transparent"
// draws nothing. Listeners added to the panel reach every control inside.
class GFXPanel : public BaseGFXController,
                 public juce::Component
{
public:
    explicit GFXPanel (const juce::String& name);
    ~GFXPanel() override;

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void addListener (Listener* listener) override;
    int getShownFrame() const override { return 0; }

    void setTransparent (bool shouldBeTransparent);
    bool isTransparent() const noexcept { return transparent; }
    SkinControls& getControls() noexcept { return controls; }

    void paint (juce::Graphics& g) override;

private:
    void loadControls (const juce::XmlElement& element, ParameterManager& parameters,
                       EventsMap& events, BasePluginEditor* editor);

    SkinControls controls;
    bool transparent = false;
};
