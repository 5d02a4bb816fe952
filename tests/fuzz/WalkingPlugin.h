#pragma once

#include "framework/BasePlugin.h"
#include "support/WithoutAudio.h"

// A processor on the plug-in base whose state readers visit every element and
// attribute they are given, the way a real reader does, and keep a summary.
// Lets the chunk envelope be fuzzed with trees the product would not write.
class WalkingPlugin : public WithoutAudio<BasePlugin>
{
public:
    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }

    std::unique_ptr<juce::XmlElement> createStateXml() override { return copy (lastState); }
    std::unique_ptr<juce::XmlElement> createProgramStateXml() override { return copy (lastProgram); }

    void setStateFromXml (const juce::XmlElement& e) override
    {
        stateVisits += walk (e);
        lastState = std::make_unique<juce::XmlElement> (e);
    }

    void setProgramStateFromXml (const juce::XmlElement& e) override
    {
        programVisits += walk (e);
        lastProgram = std::make_unique<juce::XmlElement> (e);
    }

    int stateVisits = 0, programVisits = 0;
    std::unique_ptr<juce::XmlElement> lastState, lastProgram;

private:
    static std::unique_ptr<juce::XmlElement> copy (const std::unique_ptr<juce::XmlElement>& e)
    {
        return e != nullptr ? std::make_unique<juce::XmlElement> (*e) : nullptr;
    }

    static int walk (const juce::XmlElement& e)
    {
        int visits = 1 + e.getNumAttributes();

        for (auto* child : e.getChildIterator())
            visits += walk (*child);

        return visits;
    }
};
