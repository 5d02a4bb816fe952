#include "framework/BasePlugin.h"

#include "framework/AudioProcessorEditorWrapper.h"
#include "framework/ChunkEnvelope.h"
#include "framework/FloatParameter.h"
#include "framework/HostParameter.h"
#include "framework/ListenerWalk.h"
#include "framework/ModuleFile.h"
#include "framework/NumberText.h"
#include "framework/UserSettingsFile.h"
#include "framework/XmlUtilities.h"


namespace
{
constexpr int indexToSlotBuckets = 101;
constexpr int numDebugItems = 12;
constexpr int firstDebugParameter = 300000;
constexpr int firstDebugEvent = 10000;

juce::Timer* asTimer (juce::Component* component)
{
    return dynamic_cast<juce::Timer*> (component);
}

// Set once, when the VST3 library loads, before any instance exists.
BasePlugin::Vst3ExtensionMaker vst3ExtensionMaker = nullptr;
} // namespace

void BasePlugin::setVst3ExtensionMaker (Vst3ExtensionMaker maker) noexcept
{
    vst3ExtensionMaker = maker;
}

BasePlugin::BasePlugin (const BusesProperties& buses)
    : juce::AudioProcessor (buses),
      parameters (std::make_unique<ParameterManager>()),
      indexToSlot (indexToSlotBuckets)
{
    hostSlots.ensureStorageAllocated (maxHostSlots);
    midiControl = std::make_unique<MidiControl> (*parameters);
    parameters->loadFromResource ("parameters.xml");
    // A description's entries come first, so they win over built-in ids and names.
    events.loadFromResource ("events.xml");
    events.addBuiltInEvents();
}

BasePlugin::~BasePlugin()
{
    cancelPendingUpdate();

    if (auto* timer = asTimer (editorComponent.get()))
        timer->stopTimer();

    editorComponent.reset();
}

void BasePlugin::completeCreation()
{
    moduleFile = ModuleFile::getModuleFile();
    pluginDirectory = moduleFile.getParentDirectory();
    midiControl->setOwnerName (getPluginName());

    if (isDebugMode())
        addDebugParametersAndEvents();

    for (int i = 0; i < parameters->getNumParameters(); ++i)
        if (auto* parameter = parameters->getParameterAt (i))
            builtValues[parameter->getIndex()] = parameter->getNormalizedValue();
}

void BasePlugin::addDebugParametersAndEvents()
{
    for (int i = 0; i < numDebugItems; ++i)
    {
        auto* parameter = new FloatParameter (firstDebugParameter + i, "Debug Parameter " + juce::String (i),
                                              0.0f, 1.0f, 0.0f);

        if (parameters->addParameter (parameter))
            parameter->addListener (this);

        events.addEvent (firstDebugEvent + i, "Debug Event " + juce::String (i));
    }
}

void BasePlugin::start()
{
    starting = true;
    initialise();

    // The VST 2.4 library keeps JUCE's index-based parameter calls, so its
    // boundary stays exactly as it has always been.
    if (wrapperType != wrapperType_VST)
        addHostParameters();

    if (wrapperType == wrapperType_VST3 && vst3ExtensionMaker != nullptr)
        vst3Extension = vst3ExtensionMaker (*this);

    editorComponent = createEditorComponent();
    buildEditorComponent();

    if (auto* timer = asTimer (editorComponent.get()))
        timer->startTimer (editorTimerIntervalMs);

    parameters->notifyAll();
    starting = false;
}

//==============================================================================
void BasePlugin::initialise()
{
    parameters->addListenerToAll (this);
    loadUserSettingsFile();

    if (midiControl->getUseMapFileAtStart())
    {
        const auto path = midiControl->getMapFile();

        if (juce::File::isAbsolutePath (path))
            startUpMapFailure = midiControl->loadMapFile (juce::File (path));
    }

    initialised();
}

juce::String BasePlugin::getPluginName() const { return "BasePlugin"; }
juce::String BasePlugin::getPluginCode() const { return "XX"; }
bool BasePlugin::isStateXml (const juce::XmlElement& e) const { return hasTagAndApplication (e, "PluginState"); }
void BasePlugin::setStateFromXml (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createStateXml() { return {}; }
void BasePlugin::setProgramStateFromXml (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createProgramStateXml() { return {}; }
bool BasePlugin::isUserSettingsXml (const juce::XmlElement& e) const { return hasTagAndApplication (e, "UserSettings"); }
void BasePlugin::loadUserSettings (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createUserSettingsXml() { return {}; }
int BasePlugin::getNumHostParameters() const { return maxHostSlots; }
juce::String BasePlugin::getParameterDisplayText (int parameterIndex) { return parameters->getText (parameterIndex); }
int BasePlugin::getParameterStepCount (int) { return 0; }

juce::String BasePlugin::getParameterValueText (int parameterIndex, float normalisedValue)
{
    auto* parameter = parameters->getParameter (parameterIndex);

    if (parameter == nullptr)
        return {};

    auto copy = parameter->clone();
    copy->setNormalizedValue (normalisedValue, false);
    return copy->getText();
}
void BasePlugin::handleEvent (int) {}
bool BasePlugin::isDebugMode() const { return false; }
void BasePlugin::initialised() {}

//==============================================================================
const juce::String BasePlugin::getName() const
{
    return getPluginName();
}

int BasePlugin::getHostSlotCount() const
{
    return juce::jlimit (0, maxHostSlots, getNumHostParameters());
}

Parameter* BasePlugin::getSlotParameter (int slot) const
{
    const juce::ScopedLock sl (hostSlotsLock);
    return hostSlots[slot];
}

int BasePlugin::getNumParameters()
{
    return getHostSlotCount();
}

const juce::String BasePlugin::getParameterName (int slot)
{
    if (! juce::isPositiveAndBelow (slot, getHostSlotCount()))
        return {};

    if (auto* parameter = getSlotParameter (slot))
        return parameter->getName();

    return "Parameter " + juce::String (slot + 1);
}

float BasePlugin::getParameter (int slot)
{
    if (! juce::isPositiveAndBelow (slot, getHostSlotCount()))
        return 0.0f;

    if (auto* parameter = getSlotParameter (slot))
        return parameter->getNormalizedValue();

    return hostValues[(size_t) slot].load();
}

const juce::String BasePlugin::getParameterText (int slot)
{
    if (! juce::isPositiveAndBelow (slot, getHostSlotCount()))
        return {};

    if (auto* parameter = getSlotParameter (slot))
        return getParameterDisplayText (parameter->getIndex());

    return NumberText::formatReal (hostValues[(size_t) slot].load());
}

void BasePlugin::setParameter (int slot, float value)
{
    if (! juce::isPositiveAndBelow (slot, getHostSlotCount()))
        return;

    hostValues[(size_t) slot].store (value);
    auto* parameter = getSlotParameter (slot);

    if (parameter == nullptr)
        return;

    // Marks the change as the host's own so that it is not sent back.
    hostSetting[(size_t) slot].store (1);
    parameter->setNormalizedValue (value, true);
    hostSetting[(size_t) slot].store (0);
}

bool BasePlugin::isParameterAutomatable (int slot) const
{
    return juce::isPositiveAndBelow (slot, getHostSlotCount());
}

bool BasePlugin::isMetaParameter (int) const { return false; }

int BasePlugin::getNumPrograms() { return 0; }
int BasePlugin::getCurrentProgram() { return 0; }
void BasePlugin::setCurrentProgram (int) {}
const juce::String BasePlugin::getProgramName (int) { return {}; }
void BasePlugin::changeProgramName (int, const juce::String&) {}

bool BasePlugin::hasEditor() const { return true; }

juce::AudioProcessorEditor* BasePlugin::createEditor()
{
    if (editorComponent == nullptr)
        return nullptr;

    return new AudioProcessorEditorWrapper (*this, *editorComponent, editorZoom);
}

//==============================================================================
void BasePlugin::getStateInformation (juce::MemoryBlock& destData)
{
    if (auto xml = createStateXml())
        ChunkEnvelope::write (*xml, destData);

    pendingStateSaved.store (1);
    triggerAsyncUpdate();
}

void BasePlugin::setStateInformation (const void* data, int sizeInBytes)
{
    if (auto xml = ChunkEnvelope::read (data, sizeInBytes))
        setStateFromXml (*xml);

    if (vst3Extension != nullptr)
        vst3Extension->stateRestored();

    pendingStateRestored.store (1);
    triggerAsyncUpdate();
}

void BasePlugin::getCurrentProgramStateInformation (juce::MemoryBlock& destData)
{
    if (auto xml = createProgramStateXml())
        ChunkEnvelope::write (*xml, destData);
}

void BasePlugin::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    if (auto xml = ChunkEnvelope::read (data, sizeInBytes))
        setProgramStateFromXml (*xml);
}

void BasePlugin::addStateListener (StateListener* listener)
{
    if (listener != nullptr)
        stateListeners.addIfNotAlreadyThere (listener);
}

void BasePlugin::removeStateListener (StateListener* listener)
{
    stateListeners.removeFirstMatchingValue (listener);
}

namespace
{
enum DisplayChange
{
    latencyChange = 1,
    parameterInfoChange = 2,
    programChange = 4,
    nonParameterStateChange = 8
};

int toDisplayChanges (const juce::AudioProcessorListener::ChangeDetails& details)
{
    return (details.latencyChanged ? latencyChange : 0) | (details.parameterInfoChanged ? parameterInfoChange : 0)
         | (details.programChanged ? programChange : 0) | (details.nonParameterStateChanged ? nonParameterStateChange : 0);
}

juce::AudioProcessorListener::ChangeDetails toDetails (int changes)
{
    return juce::AudioProcessorListener::ChangeDetails()
        .withLatencyChanged ((changes & latencyChange) != 0)
        .withParameterInfoChanged ((changes & parameterInfoChange) != 0)
        .withProgramChanged ((changes & programChange) != 0)
        .withNonParameterStateChanged ((changes & nonParameterStateChange) != 0);
}
} // namespace

void BasePlugin::refreshHostDisplay (const ChangeDetails& details)
{
    // The host reads every text once it has the instance; a refresh posted
    // while starting would reach it from JUCE's message thread while the host
    // is still connecting the instance on its own.
    if (starting)
        return;

    if (wrapperType == wrapperType_VST || juce::MessageManager::existsAndIsCurrentThread())
    {
        updateHostDisplay (details);
        return;
    }

    pendingDisplayChanges.fetch_or (toDisplayChanges (details));
    triggerAsyncUpdate();
}

void BasePlugin::handleAsyncUpdate()
{
    if (const int changes = pendingDisplayChanges.exchange (0); changes != 0)
        updateHostDisplay (toDetails (changes));

    if (pendingStateRestored.exchange (0) == 1)
        callListenersLastFirst (stateListeners, [this] (StateListener& l) { l.stateRestored (this); });

    if (pendingStateSaved.exchange (0) == 1)
        callListenersLastFirst (stateListeners, [this] (StateListener& l) { l.stateSaved (this); });
}

//==============================================================================
void BasePlugin::mapHostSlot (int slot, int parameterIndex)
{
    if (! juce::isPositiveAndBelow (slot, maxHostSlots))
        return;

    {
        const juce::ScopedLock sl (hostSlotsLock);

        while (hostSlots.size() <= slot)
            hostSlots.add (nullptr);

        hostSlots.set (slot, parameters->getParameter (parameterIndex));
    }

    const juce::ScopedLock sl (indexToSlotLock);
    indexToSlot.set (parameterIndex, slot);
}

void BasePlugin::addHostParameters()
{
    for (int slot = 0; slot < getHostSlotCount(); ++slot)
        addParameter (new HostParameter (*this, slot, getParameterName (slot)));
}

juce::String BasePlugin::getSlotText (int slot, float normalisedValue)
{
    if (auto* parameter = getSlotParameter (slot))
        return getParameterValueText (parameter->getIndex(), normalisedValue);

    return NumberText::formatReal (normalisedValue);
}

float BasePlugin::getSlotValueForText (int slot, const juce::String& text)
{
    auto* parameter = getSlotParameter (slot);

    if (parameter == nullptr)
        return juce::jlimit (0.0f, 1.0f, (float) NumberText::readDecimal (text));

    auto copy = parameter->clone();
    copy->setText (text, false);
    return copy->getNormalizedValue();
}

float BasePlugin::getSlotDefault (int slot) const
{
    const auto* parameter = getSlotParameter (slot);

    if (parameter == nullptr)
        return 0.0f;

    const auto built = builtValues.find (parameter->getIndex());
    return built != builtValues.end() ? built->second : 0.0f;
}

int BasePlugin::getSlotStepCount (int slot)
{
    const auto* parameter = getSlotParameter (slot);
    return parameter != nullptr ? getParameterStepCount (parameter->getIndex()) : 0;
}

int32_t BasePlugin::queryIAudioProcessor (const Steinberg::TUID iid, void** obj)
{
    if (vst3Extension != nullptr)
        return vst3Extension->queryAudioProcessor (iid, obj);

    return juce::VST3ClientExtensions::queryIAudioProcessor (iid, obj);
}

void BasePlugin::handleMidiWithoutAudio (const juce::MidiBuffer& midi)
{
    for (const auto event : midi)
        midiControl->handleMidiMessage (event.data, event.numBytes);
}

juce::AudioProcessorParameter* BasePlugin::getBypassParameter() const
{
    return vst3Extension != nullptr ? vst3Extension->getBypassParameter() : nullptr;
}

int BasePlugin::findSlotOf (const Parameter& parameter) const
{
    const juce::ScopedLock sl (indexToSlotLock);

    if (! indexToSlot.contains (parameter.getIndex()))
        return -1;

    const int slot = indexToSlot[parameter.getIndex()];
    return juce::isPositiveAndBelow (slot, getHostSlotCount()) ? slot : -1;
}

void BasePlugin::parameterChanged (Parameter* parameter)
{
    const int slot = findSlotOf (*parameter);

    if (slot >= 0 && hostSetting[(size_t) slot].load() != 1)
        sendParamChangeMessageToListeners (slot, parameter->getNormalizedValue());
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

void BasePlugin::parameterGestureBegan (Parameter* parameter)
{
    const int slot = findSlotOf (*parameter);

    if (slot >= 0)
        beginParameterChangeGesture (slot);
}

void BasePlugin::parameterGestureEnded (Parameter* parameter)
{
    const int slot = findSlotOf (*parameter);

    if (slot >= 0)
        endParameterChangeGesture (slot);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

//==============================================================================
bool BasePlugin::hasTagAndApplication (const juce::XmlElement& element, juce::StringRef tag) const
{
    return element.getTagName().equalsIgnoreCase (tag)
        && XmlUtilities::getAttribute (element, "application").equalsIgnoreCase (getName());
}

std::unique_ptr<juce::XmlElement> BasePlugin::createElementWithApplication (juce::StringRef tag) const
{
    auto element = std::make_unique<juce::XmlElement> (tag);
    element->setAttribute ("application", getName());
    return element;
}

juce::File BasePlugin::getUserSettingsFile() const
{
    if (pluginDirectory == juce::File())
        return {};

    return pluginDirectory.getChildFile (getPluginName() + ".ini");
}

juce::File BasePlugin::getUserSettingsFallbackFile() const
{
    return UserSettingsFile::getPerUserFile (getPluginName());
}

bool BasePlugin::canWriteUserSettingsFile (const juce::File& file) const
{
    return UserSettingsFile::canWriteFile (file);
}

UserSettingsFile BasePlugin::getUserSettingsLocation() const
{
    return { getUserSettingsFile(), getUserSettingsFallbackFile(),
             [this] (const juce::File& file) { return canWriteUserSettingsFile (file); } };
}

juce::File BasePlugin::getUserSettingsWriteFile() const { return getUserSettingsLocation().getWriteFile(); }
juce::File BasePlugin::getUserSettingsReadFile() const { return getUserSettingsLocation().getReadFile(); }

void BasePlugin::loadUserSettingsFile()
{
    if (auto xml = UserSettingsFile::read (getUserSettingsReadFile()))
        loadUserSettings (*xml);
}

void BasePlugin::saveUserSettingsFile()
{
    const auto file = getUserSettingsWriteFile();

    if (file == juce::File())
        return;

    if (auto xml = createUserSettingsXml())
        UserSettingsFile::write (*xml, file);
}

juce::String BasePlugin::getMidiMapExtension() const
{
    return MidiControl::getMapFileExtension (getPluginCode());
}
