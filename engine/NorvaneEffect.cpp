#include "engine/NorvaneEffect.h"

#include <algorithm>
#include <cmath>

namespace
{
bool isController (const juce::uint8* data, int size) noexcept
{
    return size >= 1 && (data[0] & 0xf0) == 0xb0;
}

bool isProgramChange (const juce::uint8* data, int size) noexcept
{
    return size >= 2 && (data[0] & 0xf0) == 0xc0;
}

bool isUniqueDataXml (const juce::XmlElement& element)
{
    return element.getTagName().equalsIgnoreCase ("UniqueData");
}
} // namespace

NorvaneEffect::NorvaneEffect() = default;

NorvaneEffect::~NorvaneEffect()
{
    // The bank must not reach the processor while it goes.
    setPresetChanger (nullptr);
    removePresetListener (core.get());
    core.reset();
    clocks.clear();
}

std::unique_ptr<juce::XmlElement> NorvaneEffect::createUniqueDataXml()
{
    return std::make_unique<juce::XmlElement> ("UniqueData");
}

void NorvaneEffect::readUniqueData (const juce::XmlElement&) {}
std::unique_ptr<NorvaneEffect::Core> NorvaneEffect::createCore() { return {}; }
int NorvaneEffect::getNumClocks() const { return 0; }

Clock* NorvaneEffect::getClock (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, (int) clocks.size()) ? clocks[(size_t) index].get() : nullptr;
}

//==============================================================================
void NorvaneEffect::initialise()
{
    for (int i = 0; i < getNumClocks(); ++i)
        clocks.push_back (std::make_unique<Clock>());

    core = createCore();

    if (core != nullptr)
    {
        setPresetChanger (core.get());
        core->setPlugin (this);
        addPresetListener (core.get());
    }

    BasePluginOldStyle::initialise();
}

void NorvaneEffect::parameterChanged (Parameter* parameter)
{
    if (core != nullptr)
    {
        const juce::ScopedLock lock (effectLock);
        core->applyParameter (parameter->getIndex(), parameter->getNormalizedValue());
    }

    BasePluginOldStyle::parameterChanged (parameter);
}

//==============================================================================
void NorvaneEffect::prepareToPlay (double sampleRate, int)
{
    prepared.store (1);

    for (auto& clock : clocks)
        clock->setSampleRate (sampleRate);

    if (core != nullptr)
    {
        {
            // Parameter changes from other threads must not meet a half-reset processor.
            const juce::ScopedLock lock (effectLock);
            const juce::ScopedLock coreLock (core->getCoreLock());
            core->prepare ((float) sampleRate);
        }

        // Tells the host when it changes.
        const int latency = core->getLatencySamples();

        if (latency != getLatencySamples())
            setLatencySamples (latency);
    }

    midiQueue.reserve();
}

void NorvaneEffect::releaseResources()
{
    prepared.store (0);
}

//==============================================================================
void NorvaneEffect::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const juce::ScopedNoDenormals noDenormals;
    const int numSamples = buffer.getNumSamples();
    const int numInputs = getTotalNumInputChannels();

    followHostTransport();

    for (int channel = numInputs; channel < buffer.getNumChannels(); ++channel)
        buffer.clear (channel, 0, numSamples);

    const int numChannels = buffer.getNumChannels();
    stereo = numInputs == 2 && getTotalNumOutputChannels() == 2 && numChannels >= 2;
    left = numChannels > 0 ? buffer.getWritePointer (0) : nullptr;
    right = stereo ? buffer.getWritePointer (1) : nullptr;
    pendingCount = 0;

    queueBlockEvents (midi);

    if (std::any_of (clocks.begin(), clocks.end(), [] (const auto& clock) { return clock->isRunning(); }))
        runSampleBySample (numSamples);
    else
        runBetweenEvents (numSamples);

    midiQueue.carryOver (numSamples);
}

void NorvaneEffect::runSampleBySample (int numSamples)
{
    const auto& pending = midiQueue.getPending();
    auto next = pending.cbegin();

    for (int j = 0; j < numSamples; ++j)
    {
        for (; next != pending.cend() && (*next).samplePosition == j; ++next)
        {
            flush();
            handleMidiEvent (*next);
        }

        tickClocks();
        ++pendingCount;
    }

    flush();
}

// Only the host's transport starts a clock, at the start of a block: with
// none running no clock edge can come, and the block splits at its events alone.
void NorvaneEffect::runBetweenEvents (int numSamples)
{
    int done = 0;

    for (const auto event : midiQueue.getPending())
    {
        if (event.samplePosition >= numSamples)
            break;

        pendingCount += event.samplePosition - done;
        done = event.samplePosition;
        flush();
        handleMidiEvent (event);
    }

    pendingCount += numSamples - done;
    flush();
}

void NorvaneEffect::followHostTransport()
{
    auto* playHead = getPlayHead();

    if (clocks.empty() || core == nullptr || playHead == nullptr)
        return;

    const auto position = playHead->getPosition();

    if (! position.hasValue())
        return;

    // Clocks cannot schedule edges without a positive tempo.
    const auto bpm = position->getBpm();

    if (! bpm.hasValue() || ! std::isfinite (*bpm) || *bpm <= 0.0)
        return;

    {
        // The note and sync handling derives the synchronised rates from the
        // tempo under this lock; a new tempo must not slip in between.
        const juce::ScopedLock lock (effectLock);
        core->setTempo (*bpm);
    }

    const auto ppq = position->getPpqPosition();
    const bool playing = position->getIsPlaying() && ppq.hasValue() && std::isfinite (*ppq);

    for (auto& clock : clocks)
    {
        clock->setTempo (*bpm);

        if (playing)
            clock->setPosition (*ppq);

        if (playing && ! clock->isRunning())
            clock->start (*ppq);
        else if (! playing && clock->isRunning())
            clock->stop();
    }
}

void NorvaneEffect::queueBlockEvents (const juce::MidiBuffer& midi)
{
    // Only when the host sends far more than the reservation holds: such an
    // event is handled before this block's audio instead of growing the queue.
    midiQueue.append (midi, [this] (const juce::MidiMessageMetadata& event) { handleMidiEvent (event); });
}

void NorvaneEffect::handleMidiWithoutAudio (const juce::MidiBuffer& midi)
{
    for (const auto event : midi)
        handleMidiEvent (event);
}

void NorvaneEffect::handleMidiEvent (const juce::MidiMessageMetadata& event)
{
    if (isController (event.data, event.numBytes))
    {
        getMidiControl().handleMidiMessage (event.data, event.numBytes);
    }
    else if (isProgramChange (event.data, event.numBytes))
    {
        const int program = event.data[1];

        if (program < numPresets)
            changeToPreset (program);
    }
}

void NorvaneEffect::tickClocks()
{
    for (size_t k = 0; k < clocks.size(); ++k)
    {
        auto& clock = *clocks[k];

        if (! clock.tick())
            continue;

        flush();

        if (core != nullptr && clock.isInFirstPart())
        {
            const juce::ScopedLock lock (effectLock);
            core->syncOscillator ((int) k, clock);
        }
    }
}

void NorvaneEffect::flush()
{
    if (pendingCount < 1)
        return;

    if (core != nullptr && left != nullptr)
    {
        const juce::ScopedLock lock (effectLock);
        const juce::ScopedLock coreLock (core->getCoreLock());

        if (stereo)
            core->processStereo (left, right, pendingCount);
        else
            core->processMono (left, pendingCount);
    }

    if (left != nullptr)
        left += pendingCount;

    if (right != nullptr)
        right += pendingCount;

    pendingCount = 0;
}

//==============================================================================
std::unique_ptr<juce::XmlElement> NorvaneEffect::createStateXml()
{
    auto state = BasePluginOldStyle::createStateXml();

    if (state == nullptr)
        return state;

    if (auto uniqueData = createUniqueDataXml())
        state->insertChildElement (uniqueData.release(), 0);

    return state;
}

void NorvaneEffect::setStateFromXml (const juce::XmlElement& element)
{
    BasePluginOldStyle::setStateFromXml (element);

    if (! isStateXml (element))
        return;

    for (auto* child : element.getChildIterator())
        if (isUniqueDataXml (*child))
            readUniqueData (*child);
}
