#include "framework/MidiControl.h"

#include "framework/FileFailure.h"
#include "framework/ListenerWalk.h"
#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

#include <algorithm>

namespace
{
// The single-precision 1/127, so that 127 gives exactly 1.
constexpr float controllerScale = 0.007874016f;
} // namespace

MidiControl::MidiControl (ParameterManager& parameterManager)
    : parameters (parameterManager)
{
}

MidiControl::~MidiControl()
{
    cancelPendingUpdate();
}

void MidiControl::addListener (Listener* listener)
{
    const juce::ScopedLock sl (lock);

    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void MidiControl::removeListener (Listener* listener)
{
    const juce::ScopedLock sl (lock);
    listeners.removeFirstMatchingValue (listener);
}

void MidiControl::setLearnMode (bool on)
{
    const juce::ScopedLock sl (lock);

    if (on == learnMode)
        return;

    learnMode = on;
    resetLearnPair();
    callListenersLastFirst (listeners, [this] (Listener& l) { l.learnStateChanged (this); });
}

bool MidiControl::isLearnMode() const
{
    const juce::ScopedLock sl (lock);
    return learnMode;
}

Parameter* MidiControl::getLearnParameter() const
{
    const juce::ScopedLock sl (lock);
    return learnParameter;
}

int MidiControl::getLearnController() const
{
    const juce::ScopedLock sl (lock);
    return learnController;
}

void MidiControl::setLearnParameter (Parameter* parameter)
{
    const juce::ScopedLock sl (lock);

    if (parameter == learnParameter)
        return;

    // A parameter picked from a neutral state, or after a full pair, shows
    // its own controller; picked after a lone controller, it joins it.
    if (learnController == -1 || learnParameter != nullptr)
        learnController = getControllerOf (parameter);

    learnParameter = parameter;
    learnUpdate();
}

void MidiControl::setLearnController (int controller)
{
    const juce::ScopedLock sl (lock);

    if (controller == learnController || ! isValidController (controller))
        return;

    // A controller moved from a neutral state, or after a full pair, shows
    // its own parameter; moved after a lone parameter, it joins it.
    if (learnParameter == nullptr || learnController != -1)
        learnParameter = assignments[(size_t) controller];

    learnController = controller;
    learnUpdate();
}

void MidiControl::learnUpdate()
{
    // Learning never replaces the parameter of an occupied controller.
    if (learnController != -1 && learnParameter != nullptr && assignments[(size_t) learnController] == nullptr)
        assign (learnController, learnParameter, true);

    raise (learnChangedFlag);
}

void MidiControl::resetLearnPair()
{
    learnParameter = nullptr;
    learnController = -1;
}

void MidiControl::place (int controller, Parameter* parameter)
{
    auto& entry = assignments[(size_t) controller];

    if (parameter != nullptr)
        for (auto& other : assignments)
            if (other == parameter)
                other = nullptr;

    entry = parameter;
}

void MidiControl::assign (int controller, Parameter* parameter, bool notify)
{
    const juce::ScopedLock sl (lock);

    if (! isValidController (controller) || assignments[(size_t) controller] == parameter)
        return;

    place (controller, parameter);

    if (notify)
        raise (mapChangedFlag);
}

void MidiControl::removeAssignment (int controller)
{
    const juce::ScopedLock sl (lock);

    if (! isValidController (controller))
        return;

    if (assignments[(size_t) controller] != nullptr)
    {
        place (controller, nullptr);
        raise (mapChangedFlag);
    }

    if (learnMode)
    {
        resetLearnPair();
        raise (learnChangedFlag);
    }
}

void MidiControl::clearAll()
{
    const juce::ScopedLock sl (lock);
    assignments.fill (nullptr);
    raise (mapChangedFlag);
}

Parameter* MidiControl::getAssignment (int controller) const
{
    const juce::ScopedLock sl (lock);
    return isValidController (controller) ? assignments[(size_t) controller] : nullptr;
}

int MidiControl::getControllerOf (const Parameter* parameter) const
{
    const juce::ScopedLock sl (lock);

    if (parameter != nullptr)
        for (int c = 0; c < numControllers; ++c)
            if (assignments[(size_t) c] == parameter)
                return c;

    return -1;
}

int MidiControl::getAssignedCount() const
{
    const juce::ScopedLock sl (lock);
    return (int) std::count_if (assignments.begin(), assignments.end(), [] (auto* p) { return p != nullptr; });
}

void MidiControl::handleMidiMessage (const juce::MidiMessage& message)
{
    handleMidiMessage (message.getRawData(), message.getRawDataSize());
}

void MidiControl::handleMidiMessage (const juce::uint8* data, int size)
{
    if (data == nullptr || size < 3 || (data[0] & 0xf0) != 0xb0)
        return;

    const int controller = data[1] & 0x7f;
    const int value = data[2] & 0x7f;

    const juce::ScopedLock sl (lock);

    if (learnMode)
        setLearnController (controller);

    if (auto* parameter = assignments[(size_t) controller])
    {
        parameter->setNormalizedValue ((float) value * controllerScale, true);
        lastControlledParameter = parameter;
        raise (controllerReceivedFlag);
    }
}

Parameter* MidiControl::getLastControlledParameter() const
{
    const juce::ScopedLock sl (lock);
    return lastControlledParameter;
}

void MidiControl::raise (PendingFlag flag)
{
    pendingFlags.fetch_or (flag);
    triggerAsyncUpdate();
}

void MidiControl::handleAsyncUpdate()
{
    // Taken and cleared at once, so a flag raised during the callbacks
    // is delivered by the next update instead of being lost.
    const int flags = pendingFlags.exchange (0);
    const juce::ScopedLock sl (lock);

    if ((flags & mapChangedFlag) != 0)
        callListenersLastFirst (listeners, [this] (Listener& l) { l.mapChanged (this); });

    if ((flags & learnChangedFlag) != 0)
        callListenersLastFirst (listeners, [this] (Listener& l) { l.learnStateChanged (this); });

    if ((flags & controllerReceivedFlag) != 0)
        callListenersLastFirst (listeners, [this] (Listener& l) { l.controllerReceived (this); });
}

bool MidiControl::isMapXml (const juce::XmlElement& element) const
{
    return XmlUtilities::hasTag (element, "MidiControlMap") || XmlUtilities::hasTag (element, "MidiCCMap");
}

bool MidiControl::isValidMapXml (const juce::XmlElement& element) const
{
    if (! isMapXml (element))
        return false;

    const auto owner = getOwnerName();
    return owner.isEmpty()
        || XmlUtilities::getAttribute (element, "name").equalsIgnoreCase (owner)
        || XmlUtilities::getAttribute (element, "application").equalsIgnoreCase (owner);
}

void MidiControl::loadFromXml (const juce::XmlElement& element)
{
    setLearnMode (false);

    {
        // The whole map is replaced under the lock, so the audio thread sees
        // either the old map or the new one.
        const juce::ScopedLock sl (lock);
        assignments.fill (nullptr);

        if (isValidMapXml (element))
        {
            for (auto* child : element.getChildIterator())
            {
                if (! XmlUtilities::hasTag (*child, "assign"))
                    continue;

                auto* parameter = parameters.findParameterByName (XmlUtilities::getAttribute (*child, "param"));
                const int controller = NumberText::readInteger (XmlUtilities::getAttribute (*child, "CC"));

                if (parameter != nullptr && parameter->isAutomatable() && isValidController (controller))
                    place (controller, parameter);
            }
        }
    }

    raise (mapChangedFlag);
}

std::unique_ptr<juce::XmlElement> MidiControl::createMapXml() const
{
    const juce::ScopedLock sl (lock);
    auto xml = std::make_unique<juce::XmlElement> ("MidiControlMap");
    xml->setAttribute ("name", ownerName);

    for (int c = 0; c < numControllers; ++c)
    {
        if (auto* parameter = assignments[(size_t) c])
        {
            auto* child = xml->createNewChildElement ("assign");
            child->setAttribute ("CC", c);
            child->setAttribute ("param", parameter->getName());
        }
    }

    return xml;
}

juce::Result MidiControl::loadMapFile (const juce::File& file)
{
    auto result = juce::Result::ok();
    const auto xml = XmlUtilities::readFile (file, result, mapFileKind);

    if (xml == nullptr)
        return result;

    // Only a map of this plug-in replaces the current one: a file of another
    // kind or another plug-in would leave an empty map in its place.
    if (isValidMapXml (*xml))
    {
        loadFromXml (*xml);
        return juce::Result::ok();
    }

    if (! isMapXml (*xml))
        return FileFailure::notOfKind (mapFileKind);

    const auto owner = XmlUtilities::getAttribute (*xml, "name");
    return FileFailure::ofAnotherPlugin (mapFileKind,
                                         owner.isNotEmpty() ? owner : XmlUtilities::getAttribute (*xml, "application"));
}

juce::Result MidiControl::saveMapFile (const juce::File& file) const
{
    return XmlUtilities::writeFile (*createMapXml(), file);
}

juce::String MidiControl::getMapFileExtension (const juce::String& pluginCode)
{
    return ("." + pluginCode + "ccmap").toLowerCase();
}

void MidiControl::setOwnerName (const juce::String& name)
{
    const juce::ScopedLock sl (lock);
    ownerName = name;
}

juce::String MidiControl::getOwnerName() const
{
    const juce::ScopedLock sl (lock);
    return ownerName;
}

void MidiControl::setUseMapFileAtStart (bool shouldUse)
{
    const juce::ScopedLock sl (lock);
    useMapFileAtStart = shouldUse;
}

bool MidiControl::getUseMapFileAtStart() const
{
    const juce::ScopedLock sl (lock);
    return useMapFileAtStart;
}

void MidiControl::setMapFile (const juce::String& path)
{
    const juce::ScopedLock sl (lock);
    mapFile = path;
}

juce::String MidiControl::getMapFile() const
{
    const juce::ScopedLock sl (lock);
    return mapFile;
}
