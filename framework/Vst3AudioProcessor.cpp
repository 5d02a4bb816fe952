#include "framework/Vst3AudioProcessor.h"

#include <juce_audio_processors/utilities/juce_FlagCache.h>
#include <juce_audio_processors/format_types/juce_VST3Common.h>

#include <algorithm>
#include <array>

using namespace Steinberg;

namespace
{
// JUCE's VST3 wrapper offers the host the MIDI controllers of 16 channels
// as parameters from this ID on, Vst::kCountCtrlNumber per channel, and
// turns changes of those parameters into MIDI messages.
constexpr Vst::ParamID firstMidiControllerParameter = 0x6d636d00;
constexpr int numMidiChannels = 16;
constexpr int numMidiControllerParameters = numMidiChannels * Vst::kCountCtrlNumber;
// More than JUCE's own buffer holds before it grows.
constexpr int midiBufferBytes = 4096;
// The processor's busses hold at most stereo; anything wider is refused.
constexpr int maxChannels = 8;

std::unique_ptr<BasePlugin::Vst3Extension> makeExtension (BasePlugin& plugin)
{
    return std::make_unique<Vst3AudioProcessor> (plugin);
}

const bool registered = (BasePlugin::setVst3ExtensionMaker (&makeExtension), true);

std::optional<juce::MidiMessage> toMidiMessage (Vst::ParamID id, double value)
{
    const auto index = (int) (id - firstMidiControllerParameter);

    if (id < firstMidiControllerParameter || index >= numMidiControllerParameters)
        return {};

    const int channel = index / Vst::kCountCtrlNumber + 1;
    const int controller = index % Vst::kCountCtrlNumber;

    if (controller == Vst::kAfterTouch)
        return juce::MidiMessage::channelPressureChange (channel, juce::jlimit (0, 127, (int) (value * 128.0)));

    if (controller == Vst::kPitchBend)
        return juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 0x3fff, (int) (value * 0x4000)));

    return juce::MidiMessage::controllerEvent (channel, controller, juce::jlimit (0, 127, (int) (value * 128.0)));
}

float** channelsOf (Vst::AudioBusBuffers* busses, int32 numBusses)
{
    return busses != nullptr && numBusses > 0 ? busses[0].channelBuffers32 : nullptr;
}
} // namespace

Vst3AudioProcessor::Vst3AudioProcessor (BasePlugin& owner) : processor (owner)
{
    juce::ignoreUnused (registered);
    midi.ensureSize (midiBufferBytes);
}

Vst::IAudioProcessor* Vst3AudioProcessor::findJuceProcessor()
{
    if (auto* known = juceProcessor.load())
        return known;

    // JUCE's component is both the processor's play head and the SDK's
    // audio processor.
    auto* found = dynamic_cast<Vst::IAudioProcessor*> (processor.getPlayHead());

    if (found != nullptr && found != this)
        juceProcessor = found;

    return juceProcessor.load();
}

int32_t Vst3AudioProcessor::queryAudioProcessor (const TUID iid, void** obj)
{
    *obj = nullptr;

    if (! juce::doUIDsMatch (iid, Vst::IAudioProcessor::iid) || findJuceProcessor() == nullptr)
        return kNoInterface;

    addRef();
    *obj = static_cast<Vst::IAudioProcessor*> (this);
    return kResultOk;
}

juce::AudioProcessorParameter* Vst3AudioProcessor::getBypassParameter() const
{
    return const_cast<juce::AudioParameterBool*> (&bypass);
}

void Vst3AudioProcessor::stateRestored()
{
    valuesToAnnounce = true;
}

tresult PLUGIN_API Vst3AudioProcessor::queryInterface (const TUID iid, void** obj)
{
    return juceProcessor.load()->queryInterface (iid, obj);
}

uint32 PLUGIN_API Vst3AudioProcessor::addRef() { return juceProcessor.load()->addRef(); }
uint32 PLUGIN_API Vst3AudioProcessor::release() { return juceProcessor.load()->release(); }

tresult PLUGIN_API Vst3AudioProcessor::setBusArrangements (Vst::SpeakerArrangement* inputs, int32 numIns,
                                                           Vst::SpeakerArrangement* outputs, int32 numOuts)
{
    return juceProcessor.load()->setBusArrangements (inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API Vst3AudioProcessor::getBusArrangement (Vst::BusDirection dir, int32 index, Vst::SpeakerArrangement& arrangement)
{
    return juceProcessor.load()->getBusArrangement (dir, index, arrangement);
}

tresult PLUGIN_API Vst3AudioProcessor::canProcessSampleSize (int32 symbolicSampleSize)
{
    return juceProcessor.load()->canProcessSampleSize (symbolicSampleSize);
}

uint32 PLUGIN_API Vst3AudioProcessor::getLatencySamples() { return juceProcessor.load()->getLatencySamples(); }
uint32 PLUGIN_API Vst3AudioProcessor::getTailSamples() { return juceProcessor.load()->getTailSamples(); }

tresult PLUGIN_API Vst3AudioProcessor::setupProcessing (Vst::ProcessSetup& setup)
{
    return juceProcessor.load()->setupProcessing (setup);
}

tresult PLUGIN_API Vst3AudioProcessor::setProcessing (TBool state)
{
    return juceProcessor.load()->setProcessing (state);
}

//==============================================================================
tresult PLUGIN_API Vst3AudioProcessor::process (Vst::ProcessData& data)
{
    if (valuesToAnnounce.exchange (false))
        announceValues();

    const bool flush = data.numSamples == 0;

    if (flush)
        flushMidi (data);

    // JUCE stores the context for the play head, applies the parameter
    // changes and reports the plug-in's own; given no audio it renders none.
    auto withoutAudio = data;
    withoutAudio.numSamples = 0;
    withoutAudio.numInputs = 0;
    withoutAudio.numOutputs = 0;
    withoutAudio.inputs = nullptr;
    withoutAudio.outputs = nullptr;

    const auto result = juceProcessor.load()->process (withoutAudio);

    if (result != kResultOk || flush)
        return result;

    collectMidi (data);
    render (data);
    return kResultOk;
}

void Vst3AudioProcessor::flushMidi (Vst::ProcessData& data)
{
    collectMidi (data);

    if (midi.isEmpty())
        return;

    const juce::ScopedLock lock (processor.getCallbackLock());
    processor.handleMidiWithoutAudio (midi);
    midi.clear();
}

void Vst3AudioProcessor::announceValues()
{
    // Away from the message thread JUCE's wrapper keeps the values for the
    // block's output changes.
    for (auto* parameter : processor.getParameters())
        parameter->sendValueChangedMessageToListeners (parameter->getValue());
}

void Vst3AudioProcessor::collectMidi (Vst::ProcessData& data)
{
    midi.clear();

    if (data.inputParameterChanges != nullptr)
        addControllerChanges (*data.inputParameterChanges);

    if (data.inputEvents != nullptr && processor.acceptsMidi())
        juce::MidiEventList::toMidiBuffer (midi, *data.inputEvents);
}

void Vst3AudioProcessor::addControllerChanges (Vst::IParameterChanges& changes)
{
    for (int32 i = 0; i < changes.getParameterCount(); ++i)
    {
        auto* queue = changes.getParameterData (i);

        if (queue == nullptr)
            continue;

        for (int32 point = 0; point < queue->getPointCount(); ++point)
        {
            int32 offset = 0;
            Vst::ParamValue value = 0.0;

            if (queue->getPoint (point, offset, value) != kResultTrue)
                continue;

            if (const auto message = toMidiMessage (queue->getParameterId(), value))
                midi.addEvent (*message, offset);
        }
    }
}

void Vst3AudioProcessor::render (Vst::ProcessData& data)
{
    const int numSamples = data.numSamples;
    const int numIns = processor.getTotalNumInputChannels();
    const int numOuts = processor.getTotalNumOutputChannels();
    auto** outputs = channelsOf (data.outputs, data.numOutputs);
    auto** inputs = channelsOf (data.inputs, data.numInputs);

    // An output bus the host has switched off has nothing to fill; a layout
    // other than the negotiated one cannot be processed.
    if (outputs == nullptr || numSamples <= 0 || numOuts > maxChannels || numIns > numOuts
        || data.outputs[0].numChannels != numOuts || std::count (outputs, outputs + numOuts, nullptr) > 0)
        return;

    const bool hasInputs = inputs != nullptr && data.inputs[0].numChannels == numIns;
    std::array<float*, maxChannels> channels {};

    // The plug-in works in place on the host's output buffers.
    for (int c = 0; c < numOuts; ++c)
    {
        channels[(size_t) c] = outputs[c];

        if (c < numIns && hasInputs && inputs[c] != nullptr)
        {
            if (inputs[c] != outputs[c])
                juce::FloatVectorOperations::copy (outputs[c], inputs[c], numSamples);
        }
        else
        {
            juce::FloatVectorOperations::clear (outputs[c], numSamples);
        }
    }

    juce::AudioBuffer<float> buffer (channels.data(), numOuts, numSamples);
    const juce::ScopedLock lock (processor.getCallbackLock());
    processor.setNonRealtime (data.processMode == Vst::kOffline);

    if (processor.isSuspended())
        buffer.clear();
    else if (bypass.get())
        processor.processBlockBypassed (buffer, midi);
    else
        processor.processBlock (buffer, midi);
}
