#include "gui/controls/PlaceholderControls.h"

#include "framework/XmlUtilities.h"

PlaceholderControl::PlaceholderControl (const juce::String& name, const juce::StringArray& names)
    : juce::Component (name), attributeNames (names)
{
}

void PlaceholderControl::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                      EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);

    for (const auto& name : attributeNames)
        if (const auto* value = XmlUtilities::findAttribute (element, name))
            settings.set (juce::Identifier (name), *value);

    applyStoredBounds();
}

void PlaceholderControl::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xffe5e5e5));
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
    g.setFont (12.0f);
    g.drawFittedText (getName(), getLocalBounds().reduced (2), juce::Justification::centred, 2, 0.7f);
}

NumericDisplay::NumericDisplay (const juce::String& name)
    : PlaceholderControl (name, { "digitsNum", "firstDigitOrder", "minValue", "maxValue", "control", "continous",
                                  "sign", "digits" })
{
}

PatternNumberDisplay::PatternNumberDisplay (const juce::String& name)
    : PlaceholderControl (name, { "notePatternMin", "notePatternMax", "numericPatternMin", "numericPatternMax",
                                  "bankAndSlotPatternMin", "bankAndSlotPatternMax", "slotMax", "firstDigit",
                                  "secondDigit", "thirdDigit", "fourthDigit" })
{
}

NoteDisplay::NoteDisplay (const juce::String& name)
    : PlaceholderControl (name, { "notes", "tones", "octaves" })
{
}

MusicKeyboard::MusicKeyboard (const juce::String& name)
    : PlaceholderControl (name, { "mouseEnabled", "firstKey", "lastKey", "right" })
{
}

ParameterModulator::ParameterModulator (const juce::String& name)
    : PlaceholderControl (name, {})
{
}

PitchBender::PitchBender (const juce::String& name)
    : GFXKnob (name)
{
    setRange (-1.0, 1.0, 0.0);
    setValue (0.0, juce::dontSendNotification);
}

// The return to the middle is part of the gesture it ends.
void PitchBender::stoppedDragging()
{
    setValue (0.0, juce::sendNotificationSync);
    GFXKnob::stoppedDragging();
}

ModWheel::ModWheel (const juce::String& name)
    : GFXKnob (name)
{
}
