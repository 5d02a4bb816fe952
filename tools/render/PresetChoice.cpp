#include "tools/render/PresetChoice.h"

#include "framework/XmlUtilities.h"
#include "presets/BasePluginOldStyle.h"
#include "tools/render/ClosestNames.h"

namespace
{
juce::Result readableXml (const juce::File& file, const juce::String& kind, std::unique_ptr<juce::XmlElement>& xml)
{
    if (! file.existsAsFile())
        return juce::Result::fail ("no such " + kind + " file: " + file.getFullPathName());

    xml = XmlUtilities::readFile (file);

    if (xml == nullptr)
        return juce::Result::fail ("cannot read " + file.getFullPathName() + ": it is not a readable XML " + kind + " file");

    return juce::Result::ok();
}

juce::Result loadBank (BasePluginOldStyle& plugin, const juce::File& file)
{
    std::unique_ptr<juce::XmlElement> xml;
    auto result = readableXml (file, "bank", xml);

    if (result.wasOk() && ! plugin.isPresetBankXml (*xml))
        result = juce::Result::fail (file.getFullPathName() + " holds no preset bank");

    // The document already read is the one loaded, so a file changed on
    // disk in between cannot slip past the check above.
    if (result.wasOk())
    {
        plugin.readBankXml (*xml);
        plugin.applyCurrentPresetIfInBank();
    }

    return result;
}

juce::Result loadPreset (BasePluginOldStyle& plugin, const juce::File& file)
{
    std::unique_ptr<juce::XmlElement> xml;
    auto result = readableXml (file, "preset", xml);

    if (result.wasOk() && ! plugin.isPresetXml (*xml))
        result = juce::Result::fail (file.getFullPathName() + " holds no " + plugin.getPluginName() + " preset");

    if (result.wasOk())
    {
        plugin.readPresetXmlAt (*xml, plugin.getCurrentPreset());
        plugin.applyCurrentPresetIfInBank();
    }

    return result;
}

// A number 0 to 127 is the bank position; anything else a name, matched
// exactly first and then without regard to case.
int findPreset (const BasePluginOldStyle& plugin, const juce::String& choice)
{
    const auto trimmed = choice.trim();

    if (trimmed.isNotEmpty() && trimmed.containsOnly ("0123456789"))
    {
        const int number = trimmed.length() <= 3 ? trimmed.getIntValue() : -1;
        return plugin.isPresetIndex (number) ? number : -1;
    }

    for (int i = 0; i < BasePluginOldStyle::numPresets; ++i)
        if (plugin.getPresetName (i) == choice)
            return i;

    for (int i = 0; i < BasePluginOldStyle::numPresets; ++i)
        if (plugin.getPresetName (i).equalsIgnoreCase (trimmed))
            return i;

    return -1;
}

// "unknown preset: ..." with the names nearest to the one given.
juce::String unknownPresetMessage (const BasePluginOldStyle& plugin, const juce::String& choice)
{
    juce::StringArray names;

    for (int i = 0; i < BasePluginOldStyle::numPresets; ++i)
        names.add (plugin.getPresetName (i));

    juce::StringArray hints;

    for (const auto& name : ClosestNames::find (choice, names))
        hints.add ("\"" + name + "\" (" + juce::String (names.indexOf (name)) + ")");

    juce::String message = "unknown preset: " + choice;

    if (! hints.isEmpty())
        message << "; closest: " << hints.joinIntoString (", ");

    return message + " (give a number from 0 to 127 or a preset name; --list-presets lists them)";
}

juce::String describe (const BasePluginOldStyle& plugin)
{
    const int index = plugin.getCurrentPreset();
    return juce::String (index) + " \"" + plugin.getPresetName (index) + "\"";
}
} // namespace

juce::Result PresetChoice::apply (const RenderOptions& options, juce::AudioProcessor& processor, juce::String& description)
{
    auto* plugin = dynamic_cast<BasePluginOldStyle*> (&processor);

    if (plugin == nullptr)
        return juce::Result::fail ("the processor has no preset bank");

    // The bank file first, then a preset from it or from a preset file.
    if (options.bankFile)
        if (auto result = loadBank (*plugin, *options.bankFile); result.failed())
            return result;

    if (options.preset)
    {
        const int index = findPreset (*plugin, *options.preset);

        if (index < 0)
            return juce::Result::fail (unknownPresetMessage (*plugin, *options.preset));

        // Applied at once: a click-free change would fade the render's start.
        plugin->selectPreset (index, true);
        plugin->applyCurrentPreset();
    }

    if (options.presetFile)
    {
        if (auto result = loadPreset (*plugin, *options.presetFile); result.failed())
            return result;

        description = "\"" + plugin->getPresetName (plugin->getCurrentPreset()) + "\" from " + options.presetFile->getFileName();
        return juce::Result::ok();
    }

    description = describe (*plugin);

    if (options.bankFile)
        description << " from " << options.bankFile->getFileName();

    return juce::Result::ok();
}

juce::String PresetChoice::listBank (juce::AudioProcessor& processor)
{
    auto* plugin = dynamic_cast<BasePluginOldStyle*> (&processor);

    if (plugin == nullptr)
        return "The processor has no preset bank.\n";

    int groupWidth = 0;

    for (int group = 0; group < plugin->getNumGroups(); ++group)
        groupWidth = juce::jmax (groupWidth, plugin->getGroupName (group).length());

    juce::String text;

    for (int index = 0; index < BasePluginOldStyle::numPresets; ++index)
        text << juce::String (index).paddedLeft (' ', 3) << "  "
             << plugin->getGroupName (plugin->getGroupOfPreset (index)).paddedRight (' ', groupWidth) << "  "
             << plugin->getPresetName (index) << "\n";

    return text;
}
