#include "presets/BasePluginOldStyle.h"

#include "framework/FileFailure.h"
#include "framework/IntParameter.h"
#include "framework/ListenerWalk.h"
#include "framework/ModuleFile.h"
#include "framework/StringParameter.h"

namespace
{
const char* const defaultPresetResource = "default.qvprs";
const char* const factoryBankResource = "default.qvprsb";
const char* const copySuffix = "_copy";

enum PresetEvent
{
    selectNextPresetEvent = 1002,
    selectPreviousPresetEvent = 1003,
    copyCurrentPresetEvent = 1007,
    pasteCopiedPresetEvent = 1008,
    storeCurrentPresetEvent = 1009
};
} // namespace

BasePluginOldStyle::BasePluginOldStyle (const BusesProperties& buses) : BasePlugin (buses)
{
    addPresetParameters();
    readLiveValues (defaultsPreset);
}

BasePluginOldStyle::~BasePluginOldStyle() = default;

void BasePluginOldStyle::addPresetParameters()
{
    auto& manager = getParameterManager();
    auto* number = new IntParameter (currentPresetNumberIndex, "Current Preset Number", 0, numPresets - 1, 0);
    auto* name = new StringParameter (currentPresetNameIndex, "Current Preset Name");

    if (manager.addParameter (number))
        presetNumberParameter = number;

    if (manager.addParameter (name))
        presetNameParameter = name;
}

//==============================================================================
int BasePluginOldStyle::getNumOldPresetFormats() const { return 0; }
juce::String BasePluginOldStyle::getOldPresetExtension (int) const { return {}; }
int BasePluginOldStyle::getNumOldBankFormats() const { return 0; }
juce::String BasePluginOldStyle::getOldBankExtension (int) const { return {}; }
int BasePluginOldStyle::getNumOldMidiMapFormats() const { return 0; }
juce::String BasePluginOldStyle::getOldMidiMapExtension (int) const { return {}; }

//==============================================================================
void BasePluginOldStyle::initialise()
{
    for (int i = 0; i < getHostSlotCount(); ++i)
        mapHostSlot (i, i);

    setRecentDirectory (ModuleFile::getUserHomeFolder().getFullPathName());
    BasePlugin::initialise();

    loadDefaultPreset (defaultPresetResource);
    fillBankByDefaultPresetsMode();
    applyCurrentPresetIfInBank();

    if (hasHostPrograms())
        numHostPrograms = bank.getNumPresetsInUse();
}

void BasePluginOldStyle::fillBankByDefaultPresetsMode()
{
    const int mode = getDefaultPresetsMode();

    if (mode == clearedPresets)
    {
        clearPresets();
        return;
    }

    if (mode == userDefinedPresets && loadUserBankAtStart())
        return;

    loadFactoryBank (factoryBankResource);
}

// A bank file that is missing, damaged, empty or not a bank would leave 128
// silent presets; the factory bank fills the bank instead, the setting stays,
// and the reason is kept for the editor to show. No file chosen is no failure.
bool BasePluginOldStyle::loadUserBankAtStart()
{
    const auto path = getUserDefinedPresetsFile();

    if (! juce::File::isAbsolutePath (path))
        return false;

    startUpBankFile = juce::File (path);

    if (startUpBankFile.existsAsFile())
        startUpBankFailure = loadBankFile (startUpBankFile);
    else
        startUpBankFailure = startUpBankFile.isDirectory() ? FileFailure::notOfKind (bankFileKind) : FileFailure::fileMissing();

    return startUpBankFailure.wasOk();
}

void BasePluginOldStyle::handleEvent (int eventId)
{
    switch (eventId)
    {
        case selectNextPresetEvent:     selectNextPreset(); break;
        case selectPreviousPresetEvent: selectPreviousPreset(); break;
        case copyCurrentPresetEvent:    copyCurrentPreset(); break;
        case pasteCopiedPresetEvent:    pasteCopiedPreset(); break;
        case storeCurrentPresetEvent:   storePreset (getCurrentPreset()); break;
        default: break;
    }
}

void BasePluginOldStyle::parameterChanged (Parameter* parameter)
{
    const int index = parameter->getIndex();

    if (index == currentPresetNameIndex)
    {
        // The parameter already holds the text; only the preset takes it.
        bank.renamePreset (getCurrentPreset(), parameter->getText());
        return;
    }

    if (getStoringMode() == storeAutomatically && juce::isPositiveAndBelow (index, numPresetableParameters))
        bank.setPresetValue (getCurrentPreset(), index, parameter->getNormalizedValue());

    BasePlugin::parameterChanged (parameter);
}

//==============================================================================
bool BasePluginOldStyle::hasHostPrograms() const noexcept
{
    return wrapperType == wrapperType_VST3 || wrapperType == wrapperType_LV2;
}

int BasePluginOldStyle::getNumPrograms()
{
    return numHostPrograms;
}

int BasePluginOldStyle::getCurrentProgram()
{
    const int index = getCurrentPreset();
    return index < numHostPrograms ? index : 0;
}

void BasePluginOldStyle::setCurrentProgram (int index)
{
    if (juce::isPositiveAndBelow (index, numHostPrograms))
        changeToPreset (index);
}

const juce::String BasePluginOldStyle::getProgramName (int index)
{
    return juce::isPositiveAndBelow (index, numHostPrograms) ? getPresetName (index) : juce::String();
}

//==============================================================================
bool BasePluginOldStyle::isPresetIndex (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, numPresets);
}

Preset* BasePluginOldStyle::getPreset (int index) const { return bank.getPreset (index); }
bool BasePluginOldStyle::getPresetCopy (int index, Preset& destination) const { return bank.getPresetCopy (index, destination); }
juce::String BasePluginOldStyle::getPresetName (int index) const { return bank.getPresetName (index); }
juce::String BasePluginOldStyle::getBankName() const { return bank.getBankName(); }

bool BasePluginOldStyle::renamePreset (int index, const juce::String& name)
{
    if (! bank.renamePreset (index, name))
        return false;

    if (index == getCurrentPreset() && presetNameParameter != nullptr)
        presetNameParameter->setText (name, true);

    return true;
}

void BasePluginOldStyle::readLiveValues (Preset& preset)
{
    auto& manager = getParameterManager();

    for (int id = 0; id < numPresetableParameters; ++id)
        if (auto* parameter = manager.getParameter (id))
            preset.setValue (id, parameter->getNormalizedValue());
}

void BasePluginOldStyle::setPresetableValues (const Preset::Values& values)
{
    auto& manager = getParameterManager();

    for (int id = 0; id < numPresetableParameters; ++id)
        if (auto* parameter = manager.getParameter (id))
            parameter->setNormalizedValue (values[static_cast<size_t> (id)], true);
}

void BasePluginOldStyle::storePreset (int index)
{
    auto& manager = getParameterManager();

    for (int id = 0; id < numPresetableParameters; ++id)
        if (auto* parameter = manager.getParameter (id))
            bank.setPresetValue (index, id, parameter->getNormalizedValue());
}

void BasePluginOldStyle::publishCurrentPreset (bool notify)
{
    const int index = getCurrentPreset();

    if (presetNumberParameter != nullptr)
        presetNumberParameter->setIntValue (index, notify);

    if (presetNameParameter != nullptr)
        presetNameParameter->setText (bank.getPresetName (index), notify);
}

void BasePluginOldStyle::selectPreset (int index, bool notify)
{
    if (! isPresetIndex (index))
        return;

    currentPreset.store (index);
    publishCurrentPreset (notify);
}

void BasePluginOldStyle::applyCurrentPreset()
{
    // Runs on the audio thread for program changes and silent changes.
    Preset::Values values;

    if (! bank.getPresetValues (getCurrentPreset(), values))
        return;

    setPresetableValues (values);
    publishCurrentPreset (true);
    notifyPresetListeners();
}

void BasePluginOldStyle::applyCurrentPresetIfInBank()
{
    if (isPresetIndex (getCurrentPreset()))
        applyCurrentPreset();
}

void BasePluginOldStyle::changeToPreset (int index)
{
    if (! isPresetIndex (index))
        return;

    currentPreset.store (index);
    auto* changer = getPresetChanger();

    if (getChangingType() == changeSilently && changer != nullptr)
        changer->requestPresetChange();
    else
        applyCurrentPreset();
}

void BasePluginOldStyle::selectNextPreset()
{
    const int next = getCurrentPreset() + 1;

    if (isPresetIndex (next))
        changeToPreset (next);
}

void BasePluginOldStyle::selectPreviousPreset()
{
    const int previous = getCurrentPreset() - 1;

    if (isPresetIndex (previous))
        changeToPreset (previous);
}

void BasePluginOldStyle::copyCurrentPreset()
{
    clipboardPreset.name = getPresetName (getCurrentPreset()) + copySuffix;
    readLiveValues (clipboardPreset);
    hasCopiedPreset = true;
}

void BasePluginOldStyle::pasteCopiedPreset()
{
    if (! hasCopiedPreset)
        return;

    setPresetableValues (clipboardPreset.values);
    bank.renamePreset (getCurrentPreset(), clipboardPreset.name);
    storePreset (getCurrentPreset());
    applyCurrentPresetIfInBank();
}

void BasePluginOldStyle::clearPresets()
{
    bank.clearPresets (defaultsPreset);
}

void BasePluginOldStyle::addPresetListener (PresetManagerListener* listener)
{
    const juce::ScopedLock sl (presetListenersLock);

    if (listener != nullptr)
        presetListeners.addIfNotAlreadyThere (listener);
}

void BasePluginOldStyle::removePresetListener (PresetManagerListener* listener)
{
    const juce::ScopedLock sl (presetListenersLock);
    presetListeners.removeFirstMatchingValue (listener);
}

void BasePluginOldStyle::notifyPresetListeners()
{
    const juce::ScopedLock sl (presetListenersLock);
    callListenersLastFirst (presetListeners, [] (PresetManagerListener& l) { l.presetChanged(); });
}

//==============================================================================
int BasePluginOldStyle::getNumGroups() const { return bank.getNumGroups(); }
juce::String BasePluginOldStyle::getGroupName (int group) const { return bank.getGroupName (group); }
bool BasePluginOldStyle::renameGroup (int group, const juce::String& name) { return bank.renameGroup (group, name); }
int BasePluginOldStyle::getGroupSize (int group) const { return bank.getGroupSize (group); }
int BasePluginOldStyle::getFirstPresetOfGroup (int group) const { return bank.getFirstPresetOfGroup (group); }
int BasePluginOldStyle::getLastPresetOfGroup (int group) const { return bank.getLastPresetOfGroup (group); }
int BasePluginOldStyle::getPresetIndex (int group, int position) const { return bank.getPresetIndex (group, position); }
juce::String BasePluginOldStyle::getPresetNameInGroup (int g, int p) const { return bank.getPresetNameInGroup (g, p); }
int BasePluginOldStyle::getGroupOfPreset (int index) const { return bank.getGroupOfPreset (index); }
void BasePluginOldStyle::insertGroup (int position) { bank.insertGroup (position); }
void BasePluginOldStyle::removeEmptyGroup (int group) { bank.removeEmptyGroup (group); }

void BasePluginOldStyle::movePreset (int from, int to, int fromGroup, int toGroup)
{
    int current = getCurrentPreset();

    if (bank.movePreset (from, to, fromGroup, toGroup, current))
        selectPreset (current, false);
}

void BasePluginOldStyle::movePresetsToGroup (int targetGroup, int sourceGroup, const juce::SparseSet<int>& selection)
{
    int current = getCurrentPreset();

    if (bank.movePresetsToGroup (targetGroup, sourceGroup, selection, current))
        selectPreset (current, false);
}

void BasePluginOldStyle::moveGroup (int from, int to)
{
    int current = getCurrentPreset();

    if (bank.moveGroup (from, to, current))
        selectPreset (current, false);
}

//==============================================================================
juce::String BasePluginOldStyle::getUserDefinedPresetsFile() const
{
    const juce::ScopedLock sl (settingsLock);
    return userDefinedPresetsFile;
}

void BasePluginOldStyle::setUserDefinedPresetsFile (const juce::String& path)
{
    const juce::ScopedLock sl (settingsLock);
    userDefinedPresetsFile = path;
}

juce::String BasePluginOldStyle::getRecentDirectory() const
{
    const juce::ScopedLock sl (settingsLock);
    return recentDirectory;
}

void BasePluginOldStyle::setRecentDirectory (const juce::String& path)
{
    const juce::ScopedLock sl (settingsLock);
    recentDirectory = path;
}
