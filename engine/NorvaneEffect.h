#pragma once

#include "engine/Clock.h"
#include "engine/EffectMidiQueue.h"
#include "engine/NorvaneEffectCore.h"
#include "presets/BasePluginOldStyle.h"

#include <atomic>
#include <memory>
#include <vector>

// The family base of the effect plug-ins: owns the signal processor and its
// tempo clocks and turns the host's blocks into processor calls, split at
// MIDI events and clock edges. Controllers go to the MIDI control, program
// changes choose presets, and parameter changes reach the processor under
// the effect lock.
//
// Locks: the effect lock (recursive, so a preset applied at the processor's
// silent point may set parameters) always before the processor's core lock.
// The audio thread allocates nothing: the MIDI queue is reserved in
// prepareToPlay.
class NorvaneEffect : public BasePluginOldStyle
{
public:
    using Core = NorvaneEffectCore;

    NorvaneEffect();
    ~NorvaneEffect() override;

    //==============================================================================
    // Product hooks.
    virtual std::unique_ptr<juce::XmlElement> createUniqueDataXml();
    virtual void readUniqueData (const juce::XmlElement& element);
    virtual std::unique_ptr<Core> createCore();
    virtual int getNumClocks() const;

    //==============================================================================
    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using BasePluginOldStyle::processBlock;
    // Controllers and program changes as in a block, all at once.
    void handleMidiWithoutAudio (const juce::MidiBuffer& midi) override;

    void initialise() override;
    // A NorvaneEffectEditor (gui/editor/ProcessorEditors.cpp).
    std::unique_ptr<juce::Component> createEditorComponent() override;
    void parameterChanged (Parameter* parameter) override;
    std::unique_ptr<juce::XmlElement> createStateXml() override;
    void setStateFromXml (const juce::XmlElement& element) override;

    bool isPrepared() const noexcept { return prepared.load() == 1; }
    Core* getCore() const noexcept { return core.get(); }
    Clock* getClock (int index) const noexcept;
    int getNumCreatedClocks() const noexcept { return (int) clocks.size(); }
    juce::CriticalSection& getEffectLock() noexcept { return effectLock; }

private:
    void followHostTransport();
    void queueBlockEvents (const juce::MidiBuffer& midi);
    void handleMidiEvent (const juce::MidiMessageMetadata& event);
    void runSampleBySample (int numSamples);
    void runBetweenEvents (int numSamples);
    void tickClocks();
    void flush();

    std::atomic<int> prepared { 0 };
    juce::CriticalSection effectLock;
    std::vector<std::unique_ptr<Clock>> clocks;
    std::unique_ptr<Core> core;
    EffectMidiQueue midiQueue;

    // Per block, audio thread only.
    bool stereo = false;
    float* left = nullptr;
    float* right = nullptr;
    int pendingCount = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NorvaneEffect)
};
