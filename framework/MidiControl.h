#pragma once

#include "framework/ParameterManager.h"
#include "framework/RealtimeAsyncUpdater.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <atomic>

// Assigns MIDI continuous controllers 0..127 to automatable parameters,
// applies control changes to them, pairs a controller with a parameter in
// learn mode, and reads and writes the assignments as XML ("MidiControlMap").
// One re-entrant lock guards everything; listeners hear about changes on the
// message thread, except learn-mode switches, which they hear at once.
class MidiControl : private RealtimeAsyncUpdater
{
public:
    static constexpr int numControllers = 128;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void mapChanged (MidiControl*) {}
        virtual void learnStateChanged (MidiControl*) {}
        virtual void controllerReceived (MidiControl*) {}
    };

    explicit MidiControl (ParameterManager& parameters);
    ~MidiControl() override;

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void setLearnMode (bool on);
    bool isLearnMode() const;
    void setLearnParameter (Parameter* parameter);
    void setLearnController (int controller);
    Parameter* getLearnParameter() const;
    int getLearnController() const;

    void assign (int controller, Parameter* parameter, bool notify);
    void removeAssignment (int controller);
    void clearAll();
    Parameter* getAssignment (int controller) const;
    int getControllerOf (const Parameter* parameter) const;
    int getAssignedCount() const;

    // Audio thread: a control change on any channel moves its parameter.
    void handleMidiMessage (const juce::MidiMessage& message);
    void handleMidiMessage (const juce::uint8* data, int size);
    Parameter* getLastControlledParameter() const;

    virtual bool isMapXml (const juce::XmlElement& element) const;
    virtual bool isValidMapXml (const juce::XmlElement& element) const;
    virtual void loadFromXml (const juce::XmlElement& element);
    std::unique_ptr<juce::XmlElement> createMapXml() const;

    // A document that is no map of this plug-in's empties the map, as
    // loadFromXml does; a file that cannot be read or parsed changes nothing.
    // The result says why nothing was loaded (FileFailure).
    static constexpr const char* mapFileKind = "Midi Control map";
    juce::Result loadMapFile (const juce::File& file);
    juce::Result saveMapFile (const juce::File& file) const;

    // ".qvccmap" for the plug-in code "QV".
    static juce::String getMapFileExtension (const juce::String& pluginCode);

    void setOwnerName (const juce::String& name);
    juce::String getOwnerName() const;
    void setUseMapFileAtStart (bool shouldUse);
    bool getUseMapFileAtStart() const;
    void setMapFile (const juce::String& path);
    juce::String getMapFile() const;

private:
    enum PendingFlag
    {
        mapChangedFlag = 1,
        learnChangedFlag = 2,
        controllerReceivedFlag = 4
    };

    void raise (PendingFlag flag);
    void handleAsyncUpdate() override;
    void learnUpdate();
    void place (int controller, Parameter* parameter);
    void resetLearnPair();
    bool isValidController (int controller) const noexcept { return juce::isPositiveAndBelow (controller, numControllers); }

    ParameterManager& parameters;
    std::array<Parameter*, numControllers> assignments {};
    bool learnMode = false;
    Parameter* learnParameter = nullptr;
    int learnController = -1;
    juce::String ownerName, mapFile;
    bool useMapFileAtStart = false;
    Parameter* lastControlledParameter = nullptr;
    std::atomic<int> pendingFlags { 0 };
    juce::Array<Listener*> listeners;
    juce::CriticalSection lock;

    JUCE_DECLARE_NON_COPYABLE (MidiControl)
};
