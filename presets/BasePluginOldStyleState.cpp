// BasePluginOldStyle: the documents of the host's bank and program chunks.
#include "presets/BasePluginOldStyle.h"

#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

//==============================================================================
std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createStateXml()
{
    auto state = createElementWithApplication ("PluginState");
    state->addChildElement (createParametersXml ("ParametersState", 0, numPresetableParameters).release());

    auto* presets = state->createNewChildElement ("PresetsState");
    presets->setAttribute ("currentPreset", getCurrentPreset());
    presets->addChildElement (createBankXml().release());

    state->addChildElement (getMidiControl().createMapXml().release());
    return state;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createParametersXml (juce::StringRef tag, int firstId, int count)
{
    auto element = std::make_unique<juce::XmlElement> (tag);
    auto& manager = getParameterManager();

    for (int id = firstId; id < firstId + count; ++id)
    {
        if (const auto* parameter = manager.getParameter (id))
        {
            auto* param = element->createNewChildElement ("param");
            param->setAttribute ("name", parameter->getName());
            // The normalised value is what reading gives back, so a value
            // survives the round trip whatever the parameter's range.
            param->setAttribute ("value", NumberText::formatSignificant9 (parameter->getNormalizedValue()));
        }
    }

    return element;
}

void BasePluginOldStyle::setStateFromXml (const juce::XmlElement& element)
{
    if (! isStateXml (element))
        return;

    auto& midiControl = getMidiControl();

    for (auto* child : element.getChildIterator())
    {
        if (hasTag (*child, "ParametersState"))
            setParametersFromXml (*child);
        else if (hasTag (*child, "PresetsState"))
            readPresetsState (*child);
        else if (midiControl.isMapXml (*child))
            midiControl.loadFromXml (*child);
    }
}

void BasePluginOldStyle::setParametersFromXml (const juce::XmlElement& element)
{
    auto& manager = getParameterManager();

    for (auto* param : element.getChildIterator())
    {
        if (! hasTag (*param, "param"))
            continue;

        // Names are compared exactly: a parameter of another spelling is not ours.
        if (auto* parameter = manager.findParameterByName (XmlUtilities::getAttribute (*param, "name")))
        {
            const auto value = NumberText::readDecimal (XmlUtilities::getAttribute (*param, "value"));
            parameter->setNormalizedValue (NumberText::toFiniteFloat (value), true);
        }
    }
}

void BasePluginOldStyle::readPresetsState (const juce::XmlElement& element)
{
    bool bankReplaced = false;

    // Each bank replaces the previous one; the last wins.
    for (auto* child : element.getChildIterator())
    {
        if (isPresetBankXml (*child))
        {
            readBankXml (*child);
            bankReplaced = true;
        }
    }

    // Selected, not applied: the saved parameter values stay. An index
    // outside the bank leaves the current preset as it was, but a new bank
    // may hold another preset there, whose name is then the one shown.
    const int index = NumberText::readInteger (XmlUtilities::getAttribute (element, "currentPreset"));

    if (isPresetIndex (index))
        selectPreset (index, true);
    else if (bankReplaced)
        publishCurrentPreset (true);
}

//==============================================================================
std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createProgramStateXml()
{
    return createPresetXmlAt (getCurrentPreset());
}

void BasePluginOldStyle::setProgramStateFromXml (const juce::XmlElement& element)
{
    readPresetXmlAt (element, getCurrentPreset());

    // Also when nothing was read: the parameters return to the stored preset.
    applyCurrentPresetIfInBank();
}

//==============================================================================
bool BasePluginOldStyle::isNotPresetableParamsXml (const juce::XmlElement& element) const
{
    return hasTag (element, "NotPresetableParams") || hasTag (element, "NotPresetParams");
}

void BasePluginOldStyle::setNotPresetableParamsFromXml (const juce::XmlElement& element)
{
    setParametersFromXml (element);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createNotPresetableParamsXml()
{
    return createParametersXml ("NotPresetableParams", numPresetableParameters, numNotPresetableParameters);
}
