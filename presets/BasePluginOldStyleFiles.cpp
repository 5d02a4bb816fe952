// BasePluginOldStyle: the readers and writers of preset and bank elements
// and the preset and bank file operations.
#include "presets/BasePluginOldStyle.h"

#include "framework/EmbeddedResources.h"
#include "framework/FileFailure.h"
#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"
#include "presets/PresetFileNames.h"
#include "presets/PresetValueText.h"

namespace
{
const char* const defaultBankName = "Preset Bank";
const char* const unnamedPreset = "unnamed";
} // namespace

//==============================================================================
bool BasePluginOldStyle::hasTag (const juce::XmlElement& element, juce::StringRef tag)
{
    return XmlUtilities::hasTag (element, tag);
}

bool BasePluginOldStyle::isPresetXml (const juce::XmlElement& element) const
{
    return hasTagAndApplication (element, "Preset");
}

bool BasePluginOldStyle::isPresetGroupXml (const juce::XmlElement& element) const
{
    return hasTag (element, "PresetGroup");
}

bool BasePluginOldStyle::isPresetBankXml (const juce::XmlElement& element) const
{
    return hasTag (element, "PresetBank");
}

void BasePluginOldStyle::readPresetXml (const juce::XmlElement& element, Preset& preset)
{
    if (! isPresetXml (element))
        return;

    preset.name = XmlUtilities::getAttribute (element, "name", unnamedPreset);
    auto& manager = getParameterManager();

    for (auto* param : element.getChildIterator())
    {
        if (! hasTag (*param, "param"))
            continue;

        const auto value = NumberText::readDecimal (XmlUtilities::getAttribute (*param, "value"));
        const auto* parameter = manager.findParameterByName (XmlUtilities::getAttribute (*param, "name"));

        // Not clamped here: the parameter limits the value when the preset is applied.
        if (parameter != nullptr && juce::isPositiveAndBelow (parameter->getIndex(), preset.getNumValues()))
            preset.setValue (parameter->getIndex(), NumberText::toFiniteFloat (value));
    }
}

void BasePluginOldStyle::readPresetXmlAt (const juce::XmlElement& element, int index)
{
    Preset preset;

    if (! bank.getPresetCopy (index, preset))
        return;

    readPresetXml (element, preset);
    bank.setPreset (index, preset);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetXml (const Preset& preset)
{
    auto element = createElementWithApplication ("Preset");
    element->setAttribute ("name", preset.name);
    auto& manager = getParameterManager();

    for (int id = 0; id < preset.getNumValues(); ++id)
    {
        auto* param = element->createNewChildElement ("param");
        param->setAttribute ("name", manager.getName (id));
        param->setAttribute ("value", PresetValueText::format (preset.getValue (id)));
    }

    return element;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetXmlAt (int index)
{
    Preset preset;

    if (! bank.getPresetCopy (index, preset))
        return {};

    return createPresetXml (preset);
}

void BasePluginOldStyle::readBankXml (const juce::XmlElement& element)
{
    if (! isPresetBankXml (element))
        return;

    clearPresets();
    bank.setBankName (XmlUtilities::getAttribute (element, "name", defaultBankName));

    juce::Array<PresetGroup> groups;
    int next = 0;

    for (auto* groupElement : element.getChildIterator())
    {
        if (! isPresetGroupXml (*groupElement))
            continue;

        const auto fallbackName = "group " + juce::String (groups.size() + 1);
        PresetGroup group { XmlUtilities::getAttribute (*groupElement, "name", fallbackName), 0 };

        for (auto* presetElement : groupElement->getChildIterator())
        {
            if (next >= numPresets)
                break;

            // Presets of other plug-ins take no slot.
            if (! isPresetXml (*presetElement))
                continue;

            readPresetXmlAt (*presetElement, next++);
            ++group.count;
        }

        groups.add (group);
    }

    // The presets not filled form the group "Not used".
    bank.setGroups (groups);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createBankXml()
{
    auto element = std::make_unique<juce::XmlElement> ("PresetBank");
    element->setAttribute ("name", bank.getBankName());
    int first = 0;

    for (const auto& group : bank.getGroups())
    {
        auto* groupElement = element->createNewChildElement ("PresetGroup");
        groupElement->setAttribute ("name", group.name);

        for (int index = first; index < first + group.count; ++index)
            if (auto preset = createPresetXmlAt (index))
                groupElement->addChildElement (preset.release());

        first += group.count;
    }

    return element;
}

//==============================================================================
juce::Result BasePluginOldStyle::loadPresetFile (const juce::File& file, int index)
{
    auto result = juce::Result::ok();
    const auto xml = XmlUtilities::readFile (file, result, presetFileKind);

    if (xml == nullptr)
        return result;

    readPresetXmlAt (*xml, index);

    // Also when the file held no preset of this plug-in: the edits are undone.
    if (index == getCurrentPreset())
        applyCurrentPresetIfInBank();

    return isPresetXml (*xml) ? juce::Result::ok() : describeRefusedPreset (*xml);
}

juce::Result BasePluginOldStyle::savePresetFile (const juce::File& file, int index)
{
    const auto xml = createPresetXmlAt (index);

    if (xml == nullptr)
        return juce::Result::fail ("There is no preset " + juce::String (index) + ".");

    // A failed write leaves the previous file as it was.
    return XmlUtilities::writeFile (*xml, PresetFileNames::withExtension (file, getPresetExtension()));
}

juce::Result BasePluginOldStyle::loadBankFile (const juce::File& file)
{
    auto result = juce::Result::ok();

    if (const auto xml = XmlUtilities::readFile (file, result, bankFileKind))
    {
        // Another plug-in's bank would leave 128 empty presets in place of
        // the user's: it is refused like any other root that is no bank.
        result = describeBank (*xml);

        if (result.wasOk())
            readBankXml (*xml);

        applyCurrentPresetIfInBank();
    }

    rememberFolderOf (file);
    return result;
}

juce::Result BasePluginOldStyle::saveBankFile (const juce::File& file)
{
    const auto target = PresetFileNames::withExtension (file, getBankExtension());
    const auto written = XmlUtilities::writeFile (*createBankXml(), target);
    rememberFolderOf (target);
    return written;
}

// A preset element of another plug-in names it; anything else is no preset.
juce::Result BasePluginOldStyle::describeRefusedPreset (const juce::XmlElement& root) const
{
    if (hasTag (root, "Preset"))
        return FileFailure::ofAnotherPlugin (presetFileKind, XmlUtilities::getAttribute (root, "application"));

    return FileFailure::notOfKind (presetFileKind);
}

// A bank whose groups hold presets, none of them this plug-in's, is another
// plug-in's bank.
juce::Result BasePluginOldStyle::describeBank (const juce::XmlElement& root) const
{
    if (! isPresetBankXml (root))
        return FileFailure::notOfKind (bankFileKind);

    bool holdsPresets = false;

    for (auto* group : root.getChildIterator())
    {
        if (! isPresetGroupXml (*group))
            continue;

        for (auto* preset : group->getChildIterator())
        {
            if (isPresetXml (*preset))
                return juce::Result::ok();

            holdsPresets = true;
        }
    }

    return holdsPresets ? FileFailure::noPresetsOf (getPluginName()) : juce::Result::ok();
}

void BasePluginOldStyle::rememberFolderOf (const juce::File& file)
{
    const auto folder = file.getParentDirectory();

    if (file != juce::File() && folder.isDirectory())
        setRecentDirectory (folder.getFullPathName());
}

bool BasePluginOldStyle::loadDefaultPreset (const juce::String& resourceName)
{
    const auto xml = EmbeddedResources::loadResourceXml (resourceName);

    if (xml == nullptr)
        return false;

    readPresetXml (*xml, defaultsPreset);
    return true;
}

bool BasePluginOldStyle::loadFactoryBank (const juce::String& resourceName)
{
    const auto xml = EmbeddedResources::loadResourceXml (resourceName);

    if (xml == nullptr)
        return false;

    readBankXml (*xml);
    applyCurrentPresetIfInBank();
    return true;
}

//==============================================================================
juce::String BasePluginOldStyle::getPresetExtension() const { return PresetFileNames::getPresetExtension (getPluginCode()); }
juce::String BasePluginOldStyle::getBankExtension() const { return PresetFileNames::getBankExtension (getPluginCode()); }
juce::String BasePluginOldStyle::getPresetSavePattern() const { return PresetFileNames::getSavePattern (getPresetExtension()); }
juce::String BasePluginOldStyle::getBankSavePattern() const { return PresetFileNames::getSavePattern (getBankExtension()); }

juce::String BasePluginOldStyle::getPresetOpenPattern() const
{
    juce::StringArray older;

    for (int i = 0; i < getNumOldPresetFormats(); ++i)
        older.add (getOldPresetExtension (i));

    return PresetFileNames::getOpenPattern (getPresetExtension(), older);
}

juce::String BasePluginOldStyle::getBankOpenPattern() const
{
    juce::StringArray older;

    for (int i = 0; i < getNumOldBankFormats(); ++i)
        older.add (getOldBankExtension (i));

    return PresetFileNames::getOpenPattern (getBankExtension(), older);
}

juce::String BasePluginOldStyle::getMidiMapOpenPattern() const
{
    juce::StringArray older;

    for (int i = 0; i < getNumOldMidiMapFormats(); ++i)
        older.add (getOldMidiMapExtension (i));

    return PresetFileNames::getOpenPattern (getMidiMapExtension(), older);
}
