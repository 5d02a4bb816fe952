#pragma once

#include "engine/NorvaneOldCompatible.h"
#include "engine/OscillatorSyncHandler.h"

#include <optional>

class QuilvernCore;

// The product: names Quilvern, creates the phaser core and its two tempo
// clocks, gives the sixteen parameters their texts, keeps the oscillators'
// note and sync settings, and marks presets with the format revision
// (presets of revision 0 predate the tempo-sync parameters).
//
// Create instances through createQuilvern(), which runs the start-up steps.
class Quilvern : public NorvaneOldCompatible
{
public:
    static constexpr int numHostParameters = 16;
    static constexpr int numOscillatorClocks = 2;

    Quilvern();
    // Writes the settings file.
    ~Quilvern() override;

    juce::String getPluginName() const override;
    juce::String getPluginCode() const override;
    int getNumHostParameters() const override;
    juce::String getParameterDisplayText (int parameterIndex) override;
    juce::String getParameterValueText (int parameterIndex, float normalisedValue) override;
    int getParameterStepCount (int parameterIndex) override;

    std::unique_ptr<Core> createCore() override;
    int getNumClocks() const override;
    // A QuilvernEditor (gui/editor/ProcessorEditors.cpp).
    std::unique_ptr<juce::Component> createEditorComponent() override;

    void parameterChanged (Parameter* parameter) override;
    std::unique_ptr<juce::XmlElement> createPresetXml (const Preset& preset) override;
    void readPresetXml (const juce::XmlElement& element, Preset& preset) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    const OscillatorSyncHandler& getSyncHandler() const noexcept { return syncHandler; }

    // Keeps the settings in this file instead of the one beside the library;
    // an empty file means that none is read or written. For programs that
    // are not hosts (tools, tests); set it before start().
    void setUserSettingsFile (const juce::File& file);

protected:
    juce::File getUserSettingsFile() const override;

private:
    QuilvernCore* getQuilvernCore() const noexcept;
    // The note and sync handling of parameters 12 to 15; true when the host
    // should refresh its display of the processor.
    bool applyNoteOrSync (const Parameter& parameter);
    // The product's text of a parameter at its current value or at another
    // one; nothing where the framework's text applies.
    std::optional<juce::String> getProductText (int parameterIndex, std::optional<float> value);
    void applyRevisionZeroDefaults (Preset& preset) const;

    OscillatorSyncHandler syncHandler;
    std::optional<juce::File> userSettingsFile;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Quilvern)
};
