#pragma once

#include "gui/controls/GFXKnob.h"

// The kinds the skin format accepts that this product's face does not use.
// Each reads its attributes and its place and draws a plain labelled box;
// the pitch bender and the mod wheel are knobs.
class PlaceholderControl : public BaseGFXController,
                           public juce::Component
{
public:
    PlaceholderControl (const juce::String& name, const juce::StringArray& attributeNames);

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    int getShownFrame() const override { return 0; }

    // The attributes of the kind that the element carried.
    const juce::NamedValueSet& getSettings() const noexcept { return settings; }

    void paint (juce::Graphics& g) override;

private:
    juce::StringArray attributeNames;
    juce::NamedValueSet settings;
};

struct NumericDisplay : PlaceholderControl
{
    explicit NumericDisplay (const juce::String& name);
};

struct PatternNumberDisplay : PlaceholderControl
{
    explicit PatternNumberDisplay (const juce::String& name);
};

struct NoteDisplay : PlaceholderControl
{
    explicit NoteDisplay (const juce::String& name);
};

struct MusicKeyboard : PlaceholderControl
{
    explicit MusicKeyboard (const juce::String& name);
};

struct ParameterModulator : PlaceholderControl
{
    explicit ParameterModulator (const juce::String& name);
};

// A knob over -1..1 that returns to 0 when a drag ends.
class PitchBender : public GFXKnob
{
public:
    explicit PitchBender (const juce::String& name);

protected:
    void stoppedDragging() override;
};

struct ModWheel : GFXKnob
{
    explicit ModWheel (const juce::String& name);
};
