#include "tools/presetcheck/FactoryBank.h"

#include "framework/EmbeddedResources.h"
#include "presets/PresetValueText.h"

namespace
{
    bool hasTag (const juce::XmlElement& element, const char* tag)
    {
        return element.getTagName().equalsIgnoreCase (tag);
    }

    std::map<juce::String, int> readParameterDescription (std::array<float, FactoryBank::numValues>& defaults)
    {
        std::map<juce::String, int> indexes;
        auto description = juce::parseXML (EmbeddedResources::loadResourceText ("parameters.xml"));

        if (description == nullptr)
            return indexes;

        for (auto* param : description->getChildIterator())
        {
            if (! hasTag (*param, "param"))
                continue;

            const int index = param->getIntAttribute ("index", -1);
            indexes[param->getStringAttribute ("name")] = index;

            if (juce::isPositiveAndBelow (index, FactoryBank::numValues))
                defaults[static_cast<size_t> (index)] = static_cast<float> (param->getDoubleAttribute ("value"));
        }

        return indexes;
    }

    FactoryBank::Entry readPreset (const juce::XmlElement& element, const juce::String& group,
                                   const std::map<juce::String, int>& indexes)
    {
        FactoryBank::Entry entry;
        entry.group = group;
        entry.name = element.getStringAttribute ("name");
        entry.application = element.getStringAttribute ("application");
        entry.revision = element.getStringAttribute ("rev");

        for (auto* param : element.getChildIterator())
        {
            const auto name = param->getStringAttribute ("name");
            const auto found = indexes.find (name);

            if (! hasTag (*param, "param") || found == indexes.end()
                || ! juce::isPositiveAndBelow (found->second, FactoryBank::numValues))
            {
                entry.problems.add ("unknown parameter \"" + name + "\"");
                continue;
            }

            const auto text = param->getStringAttribute ("value");
            const auto value = text.getFloatValue();
            const auto index = static_cast<size_t> (found->second);

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
    const auto indexes = readParameterDescription (bank.defaults);
    auto root = juce::parseXML (EmbeddedResources::loadResourceText ("default.qvprsb"));

    if (indexes.size() != numValues)
        bank.problems.add ("the parameter description does not name " + juce::String (numValues) + " parameters");

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

            bank.presets.push_back (readPreset (*preset, groupName, indexes));
            ++bank.groupSizes.getReference (bank.groupSizes.size() - 1);
        }
    }

    return bank;
}
