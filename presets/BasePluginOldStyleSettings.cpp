// BasePluginOldStyle: the contents of the user settings file.
#include "presets/BasePluginOldStyle.h"

#include "framework/XmlUtilities.h"

namespace
{
const char* const defaultPresetsKeywords[] = { "factoryPresets", "clearPresets", "userDefinedPresets" };
const char* const noMapping = "noMapping";
const char* const userDefinedMidiMap = "userDefinedMidiCCMap";

bool isExistingFolder (const juce::String& path)
{
    return juce::File::isAbsolutePath (path) && juce::File (path).isDirectory();
}
} // namespace

bool BasePluginOldStyle::isStoringOptionAvailable() const { return true; }
bool BasePluginOldStyle::isChangingOptionAvailable() const { return true; }

//==============================================================================
void BasePluginOldStyle::loadUserSettings (const juce::XmlElement& element)
{
    if (! isUserSettingsXml (element))
        return;

    for (auto* child : element.getChildIterator())
    {
        if (hasTag (*child, "PluginDirectories"))
            readRecentDirectories (*child);
        else if (hasTag (*child, "ResourcesSettings"))
            loadResourcesSettings (*child);
        else if (hasTag (*child, "PresetSettings"))
            loadPresetSettings (*child);
        else if (hasTag (*child, EditorZoom::settingsTag))
            getEditorZoom().loadSettingsXml (*child);
    }
}

void BasePluginOldStyle::readRecentDirectories (const juce::XmlElement& element)
{
    // A folder that has gone since keeps the one set before (the home folder).
    for (auto* child : element.getChildIterator())
    {
        if (! hasTag (*child, "RecentlyUsed"))
            continue;

        const auto dir = XmlUtilities::getAttribute (*child, "dir");

        if (isExistingFolder (dir))
            setRecentDirectory (dir);
    }
}

void BasePluginOldStyle::loadResourcesSettings (const juce::XmlElement& element)
{
    for (auto* child : element.getChildIterator())
    {
        if (hasTag (*child, "Presets"))
            readDefaultPresets (*child);
        else if (hasTag (*child, "MidiCCMap"))
            readStartUpMidiMap (*child);
    }
}

void BasePluginOldStyle::readDefaultPresets (const juce::XmlElement& element)
{
    const auto keyword = XmlUtilities::getAttribute (element, "default");

    for (int mode = factoryPresets; mode <= userDefinedPresets; ++mode)
    {
        if (! keyword.equalsIgnoreCase (defaultPresetsKeywords[mode]))
            continue;

        setDefaultPresetsMode (mode);

        if (mode == userDefinedPresets)
            setUserDefinedPresetsFile (XmlUtilities::getAttribute (element, "file"));
    }
}

void BasePluginOldStyle::readStartUpMidiMap (const juce::XmlElement& element)
{
    // These keywords are compared with their case, unlike the others.
    const auto keyword = XmlUtilities::getAttribute (element, "default");
    auto& midiControl = getMidiControl();

    if (keyword == noMapping)
    {
        midiControl.setUseMapFileAtStart (false);
    }
    else if (keyword == userDefinedMidiMap)
    {
        midiControl.setUseMapFileAtStart (true);
        midiControl.setMapFile (XmlUtilities::getAttribute (element, "file"));
    }
}

void BasePluginOldStyle::loadPresetSettings (const juce::XmlElement& element)
{
    if (isStoringOptionAvailable())
    {
        const auto storing = XmlUtilities::getAttribute (element, "storing");

        if (storing.equalsIgnoreCase ("onDemand"))
        {
            setStoringMode (storeOnDemand);
        }
        else if (storing.equalsIgnoreCase ("automatic"))
        {
            // Edits made before automatic storing began are kept, as in the options window.
            setStoringMode (storeAutomatically);
            storePreset (getCurrentPreset());
        }
    }

    if (isChangingOptionAvailable())
    {
        const auto changing = XmlUtilities::getAttribute (element, "changing");

        if (changing.equalsIgnoreCase ("normal"))
            setChangingType (changeNormally);
        else if (changing.equalsIgnoreCase ("silent"))
            setChangingType (changeSilently);
    }
}

//==============================================================================
std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createUserSettingsXml()
{
    auto settings = createElementWithApplication ("UserSettings");

    auto* directories = settings->createNewChildElement ("PluginDirectories");
    directories->createNewChildElement ("RecentlyUsed")->setAttribute ("dir", getRecentDirectory());

    if (auto resources = createResourcesSettingsXml())
        settings->addChildElement (resources.release());

    auto* presetSettings = settings->createNewChildElement ("PresetSettings");

    if (isStoringOptionAvailable())
        presetSettings->setAttribute ("storing", getStoringMode() == storeAutomatically ? "automatic" : "onDemand");

    if (isChangingOptionAvailable())
        presetSettings->setAttribute ("changing", getChangingType() == changeSilently ? "silent" : "normal");

    // Last, so that the elements before it stay as older versions wrote them.
    settings->addChildElement (getEditorZoom().createSettingsXml().release());
    return settings;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createResourcesSettingsXml()
{
    auto resources = std::make_unique<juce::XmlElement> ("ResourcesSettings");

    // Modes the bank does not know fill it with the factory presets, so they
    // are written as such.
    const int mode = getDefaultPresetsMode();
    const bool known = mode >= factoryPresets && mode <= userDefinedPresets;
    auto* presets = resources->createNewChildElement ("Presets");
    presets->setAttribute ("default", defaultPresetsKeywords[known ? mode : factoryPresets]);

    if (mode == userDefinedPresets)
        presets->setAttribute ("file", getUserDefinedPresetsFile());

    const auto& midiControl = getMidiControl();
    const bool useMap = midiControl.getUseMapFileAtStart();
    auto* map = resources->createNewChildElement ("MidiCCMap");
    map->setAttribute ("default", useMap ? userDefinedMidiMap : noMapping);

    if (useMap)
        map->setAttribute ("file", midiControl.getMapFile());

    return resources;
}
