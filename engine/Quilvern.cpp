#include "engine/Quilvern.h"

Quilvern::Quilvern()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
}

const juce::String Quilvern::getName() const { return "Quilvern"; }

void Quilvern::prepareToPlay (double, int) {}
void Quilvern::releaseResources() {}

bool Quilvern::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();
    return out.size() >= 1 && out.size() <= 2 && in.size() <= out.size();
}

void Quilvern::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    for (int channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples());
}

double Quilvern::getTailLengthSeconds() const { return 0.0; }
bool Quilvern::acceptsMidi() const { return true; }
bool Quilvern::producesMidi() const { return false; }

bool Quilvern::hasEditor() const { return false; }
juce::AudioProcessorEditor* Quilvern::createEditor() { return nullptr; }

int Quilvern::getNumPrograms() { return 1; }
int Quilvern::getCurrentProgram() { return 0; }
void Quilvern::setCurrentProgram (int) {}
const juce::String Quilvern::getProgramName (int) { return {}; }
void Quilvern::changeProgramName (int, const juce::String&) {}

void Quilvern::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement state ("PluginState");
    state.setAttribute ("application", getName());
    copyXmlToBinary (state, destData);
}

void Quilvern::setStateInformation (const void* data, int sizeInBytes)
{
    getXmlFromBinary (data, sizeInBytes);
}
