#pragma once

#include "framework/BasePlugin.h"

// The SDK's interfaces only; JUCE's VST3 wrapper compiles the SDK itself.
#define JUCE_VST3HEADERS_INCLUDE_HEADERS_ONLY 1
#include <juce_audio_processors/format_types/juce_VST3Headers.h>

#include <atomic>

// The VST3 library's own audio processor interface, which JUCE's VST3
// wrapper hands to the host in place of its own (JUCE asks the processor for
// extra IAudioProcessor interfaces). Every call but process goes to JUCE's
// implementation, found through the play head JUCE's component installs.
//
// JUCE 7.0.5 copies each input bus's channel map, a std::vector, on every
// block before it calls processBlock: a heap allocation on the audio thread
// that no bus layout avoids. So process lets JUCE take the block's context,
// parameter changes and events without audio, then processes the host's
// buffers in place itself, with the block's MIDI and the plug-in's bypass
// parameter, under the processor's callback lock as JUCE does.
//
// A block without samples is a parameter flush: JUCE applies the host's
// parameter changes and renders nothing. The MIDI controllers JUCE offers as
// parameters (IMidiMapping) come in such a block too; the plug-in handles
// them at once, before JUCE reports the changed values to the host.
//
// JUCE's wrapper passes the plug-in's own parameter changes to the host as
// output changes of the next block, but drops those made while it restores
// the state: a host that chose a program before restoring (Ardour does)
// would get the program's values after the restored ones. So after a
// restore the first block reports every current value again.
//
// Compiled into the VST3 library only; it registers itself as the
// BasePlugin's VST3 extension when the library loads.
class Vst3AudioProcessor : public BasePlugin::Vst3Extension,
                           public Steinberg::Vst::IAudioProcessor
{
public:
    explicit Vst3AudioProcessor (BasePlugin& processor);

    int32_t queryAudioProcessor (const Steinberg::TUID iid, void** obj) override;
    juce::AudioProcessorParameter* getBypassParameter() const override;
    void stateRestored() override;

    // The object's identity and lifetime are those of JUCE's component.
    Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override;
    Steinberg::uint32 PLUGIN_API release() override;

    Steinberg::tresult PLUGIN_API setBusArrangements (Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                                      Steinberg::Vst::SpeakerArrangement* outputs, Steinberg::int32 numOuts) override;
    Steinberg::tresult PLUGIN_API getBusArrangement (Steinberg::Vst::BusDirection dir, Steinberg::int32 index,
                                                     Steinberg::Vst::SpeakerArrangement& arrangement) override;
    Steinberg::tresult PLUGIN_API canProcessSampleSize (Steinberg::int32 symbolicSampleSize) override;
    Steinberg::uint32 PLUGIN_API getLatencySamples() override;
    Steinberg::tresult PLUGIN_API setupProcessing (Steinberg::Vst::ProcessSetup& setup) override;
    Steinberg::tresult PLUGIN_API setProcessing (Steinberg::TBool state) override;
    Steinberg::tresult PLUGIN_API process (Steinberg::Vst::ProcessData& data) override;
    Steinberg::uint32 PLUGIN_API getTailSamples() override;

private:
    Steinberg::Vst::IAudioProcessor* findJuceProcessor();
    void collectMidi (Steinberg::Vst::ProcessData& data);
    void addControllerChanges (Steinberg::Vst::IParameterChanges& changes);
    void render (Steinberg::Vst::ProcessData& data);
    void flushMidi (Steinberg::Vst::ProcessData& data);
    void announceValues();

    BasePlugin& processor;
    std::atomic<Steinberg::Vst::IAudioProcessor*> juceProcessor { nullptr };
    juce::AudioParameterBool bypass { juce::ParameterID ("bypass"), "Bypass", false };
    juce::MidiBuffer midi;
    std::atomic<bool> valuesToAnnounce { false };
};
