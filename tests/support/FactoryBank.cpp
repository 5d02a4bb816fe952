#include "tests/support/FactoryBank.h"

#include "framework/EmbeddedResources.h"
#include "framework/NumberText.h"
#include "framework/ParameterManager.h"
#include "presets/PresetValueText.h"

namespace
{
    bool hasTag (const juce::XmlElement& element, const char* tag)
    {
        return element.getTagName().equalsIgnoreCase (tag);
    }

    FactoryBank::Entry readPreset (const juce::XmlElement& element, const juce::String& group,
                                   const ParameterManager& description)
    {
        FactoryBank::Entry entry;
        entry.group = group;
        entry.name = element.getStringAttribute ("name");
        entry.application = element.getStringAttribute ("application");
        entry.revision = element.getStringAttribute ("rev");

        for (auto* param : element.getChildIterator())
        {
            const auto name = param->getStringAttribute ("name");
            const auto* parameter = description.findParameterByName (name);

            if (! hasTag (*param, "param") || parameter == nullptr
                || ! juce::isPositiveAndBelow (parameter->getIndex(), FactoryBank::numValues))
            {
                entry.problems.add ("unknown parameter \"" + name + "\"");
                continue;
            }

            const auto text = param->getStringAttribute ("value");
            // Read as the plug-in reads preset values.
            const auto value = NumberText::toFiniteFloat (NumberText::readDecimal (text));
            const auto index = static_cast<size_t> (parameter->getIndex());

            if (entry.present[index])
                entry.problems.add ("\"" + name + "\" given twice");

            if (PresetValueText::format (value) != text)
                entry.problems.add ("\"" + name + "\" not written to six decimals: " + text);

            entry.values[index] = value;
            entry.present[index] = true;
        }

        return entry;
    }
}

FactoryBank FactoryBank::loadFromResources()
{
    FactoryBank bank;
    // Parameter names and defaults as the plug-in builds them.
    ParameterManager description;
    description.loadFromResource ("parameters.xml");

    if (description.getNumParameters() != numValues)
        bank.problems.add ("the parameter description does not name " + juce::String (numValues) + " parameters");

    for (int index = 0; index < numValues; ++index)
        if (const auto* parameter = description.getParameter (index))
            bank.defaults[static_cast<size_t> (index)] = parameter->getNormalizedValue();

    auto root = EmbeddedResources::loadResourceXml ("default.qvprsb");

    if (root == nullptr || ! hasTag (*root, "PresetBank"))
    {
        bank.problems.add ("default.qvprsb is missing or not a bank");
        return bank;
    }

    bank.name = root->getStringAttribute ("name");

    for (auto* group : root->getChildIterator())
    {
        if (! hasTag (*group, "PresetGroup"))
        {
            bank.problems.add ("unexpected element " + group->getTagName() + " in the bank");
            continue;
        }

        const auto groupName = group->getStringAttribute ("name");
        bank.groupNames.add (groupName);
        bank.groupSizes.add (0);

        for (auto* preset : group->getChildIterator())
        {
            if (! hasTag (*preset, "Preset"))
                continue;

            bank.presets.push_back (readPreset (*preset, groupName, description));
            ++bank.groupSizes.getReference (bank.groupSizes.size() - 1);
        }
    }

    return bank;
}
