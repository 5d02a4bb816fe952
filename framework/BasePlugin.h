#pragma once

#include "framework/EditorZoom.h"
#include "framework/EventsMap.h"
#include "framework/MidiControl.h"
#include "framework/ParameterManager.h"
#include "framework/RealtimeAsyncUpdater.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <map>

class UserSettingsFile;

// The framework's audio processor: answers the host's parameter, name,
// program, state and editor questions, maps up to 128 host slots onto
// parameters, forwards parameter changes and gestures to the host (but never
// echoes a value the host itself is setting), keeps the named events and the
// MIDI control, and finds the user settings file beside the plug-in library.
// The audio operations belong to the effect built on top of it.
//
// Hosts reach the slots through JUCE's index-based parameter calls in the
// VST 2.4 library, and through one HostParameter object per slot in the
// formats that identify parameters by ID (VST3, LV2).
//
// Start of an instance: construct, completeCreation(), start(); the product
// class writes the settings file when it is destroyed.
class BasePlugin : public juce::AudioProcessor,
                   public juce::VST3ClientExtensions,
                   public Parameter::Listener,
                   private RealtimeAsyncUpdater
{
public:
    static constexpr int maxHostSlots = 128;
    static constexpr int editorTimerIntervalMs = 25;

    // Told on the message thread after the host restored or saved the state.
    class StateListener
    {
    public:
        virtual ~StateListener() = default;
        virtual void stateRestored (BasePlugin*) {}
        virtual void stateSaved (BasePlugin*) {}
    };

    explicit BasePlugin (const BusesProperties& buses = BusesProperties()
                                                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true));
    ~BasePlugin() override;

    // What the VST3 library puts between the host and JUCE's VST3 wrapper
    // (Vst3AudioProcessor): the library registers its maker when it loads,
    // and every instance the VST3 wrapper creates gets one.
    class Vst3Extension
    {
    public:
        virtual ~Vst3Extension() = default;
        // Answers JUCE's question for extra interfaces of its IAudioProcessor.
        virtual int32_t queryAudioProcessor (const Steinberg::TUID iid, void** obj) = 0;
        virtual juce::AudioProcessorParameter* getBypassParameter() const = 0;
        // The host restored the state; the values it holds may be older.
        virtual void stateRestored() = 0;
    };

    using Vst3ExtensionMaker = std::unique_ptr<Vst3Extension> (*) (BasePlugin&);
    static void setVst3ExtensionMaker (Vst3ExtensionMaker maker) noexcept;

    // The step after construction: where the library lives, the MIDI map's
    // owner name, the debug parameters and events in debug mode, and the
    // parameters' values as built, which hosts get as their defaults.
    void completeCreation();
    // initialise(), then the host parameter objects (not for the VST 2.4
    // library) and the VST3 extension, then the persistent editor component
    // with its 25 ms timer, then every parameter announced once.
    void start();

    //==============================================================================
    // Hooks answered by the classes built on this one.
    virtual void initialise();
    // The persistent editor component: each class of the chain makes its own
    // editor class. Defined with the editors (gui/editor/ProcessorEditors.cpp),
    // so that the model includes nothing of the editor.
    virtual std::unique_ptr<juce::Component> createEditorComponent();
    virtual juce::String getPluginName() const;
    virtual juce::String getPluginCode() const;
    virtual bool isStateXml (const juce::XmlElement& element) const;
    virtual void setStateFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createStateXml();
    virtual void setProgramStateFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createProgramStateXml();
    virtual bool isUserSettingsXml (const juce::XmlElement& element) const;
    virtual void loadUserSettings (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createUserSettingsXml();
    virtual int getNumHostParameters() const;
    virtual juce::String getParameterDisplayText (int parameterIndex);
    // The text the parameter would show at another normalised value; the
    // parameter's own text of that value unless the product has its own.
    virtual juce::String getParameterValueText (int parameterIndex, float normalisedValue);
    // How many values a stepped parameter takes (hosts draw and automate it
    // in steps); 0 for a continuous one.
    virtual int getParameterStepCount (int parameterIndex);
    virtual void handleEvent (int eventId);
    // MIDI of a host call that carries no audio (a VST3 parameter flush),
    // handled at once on the calling thread, under the callback lock: the
    // base gives the controllers to the MIDI control.
    virtual void handleMidiWithoutAudio (const juce::MidiBuffer& midi);
    virtual bool isDebugMode() const;
    virtual void initialised();

    //==============================================================================
    const juce::String getName() const override;

    int getNumParameters() override;
    const juce::String getParameterName (int slot) override;
    float getParameter (int slot) override;
    const juce::String getParameterText (int slot) override;
    void setParameter (int slot, float value) override;
    bool isParameterAutomatable (int slot) const override;
    bool isMetaParameter (int slot) const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& name) override;

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& destData) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    //==============================================================================
    // Forwarding of parameter changes and gestures to the host.
    void parameterChanged (Parameter* parameter) override;
    void parameterGestureBegan (Parameter* parameter) override;
    void parameterGestureEnded (Parameter* parameter) override;

    // Tells the host that texts or other details it shows have changed. The
    // VST 2.4 library tells it at once, on the calling thread; the other
    // formats' wrappers answer with work that allocates, so a change from
    // another thread than the message thread reaches them from there.
    void refreshHostDisplay (const ChangeDetails& details);

    // Puts the parameter with that index into the host slot (0..127).
    void mapHostSlot (int slot, int parameterIndex);

    // A slot's text at another value, and the value a text stands for (the
    // slot's parameter reads it; a slot without one reads a number).
    juce::String getSlotText (int slot, float normalisedValue);
    float getSlotValueForText (int slot, const juce::String& text);
    // The normalised value the slot's parameter was built with; 0 for none.
    float getSlotDefault (int slot) const;
    int getSlotStepCount (int slot);

    int32_t queryIAudioProcessor (const Steinberg::TUID iid, void** obj) override;
    juce::AudioProcessorParameter* getBypassParameter() const override;

    bool hasTagAndApplication (const juce::XmlElement& element, juce::StringRef tag) const;
    std::unique_ptr<juce::XmlElement> createElementWithApplication (juce::StringRef tag) const;

    // The settings file (UserSettingsFile) at the places the hooks below name.
    void loadUserSettingsFile();
    void saveUserSettingsFile();
    juce::File getUserSettingsReadFile() const;
    juce::File getUserSettingsWriteFile() const;

    void addStateListener (StateListener* listener);
    void removeStateListener (StateListener* listener);

    ParameterManager& getParameterManager() noexcept { return *parameters; }
    MidiControl& getMidiControl() noexcept { return *midiControl; }
    EventsMap& getEventsMap() noexcept { return events; }
    // The user's zoom of the editor, which the settings file keeps.
    EditorZoom& getEditorZoom() noexcept { return editorZoom; }
    juce::Component* getEditorComponent() const noexcept { return editorComponent.get(); }
    const juce::File& getModuleFile() const noexcept { return moduleFile; }
    // Why the user's map file did not load when the instance started (the
    // map then starts empty); ok when it did, or when no map is used at start.
    const juce::Result& getStartUpMapFailure() const noexcept { return startUpMapFailure; }
    const juce::File& getPluginDirectory() const noexcept { return pluginDirectory; }
    // ".qvccmap" for the plug-in code "QV".
    juce::String getMidiMapExtension() const;

protected:
    // getPluginName() + ".ini" in the plug-in's folder; nothing before
    // completeCreation() has found that folder.
    virtual juce::File getUserSettingsFile() const;
    // The same name in the user's settings folder under getPluginName(), for
    // when the plug-in's folder cannot be written (UserSettingsFile::getPerUserFile).
    virtual juce::File getUserSettingsFallbackFile() const;
    // UserSettingsFile::canWriteFile.
    virtual bool canWriteUserSettingsFile (const juce::File& file) const;

    // getNumHostParameters() limited to the slots the base can hold.
    int getHostSlotCount() const;

private:
    Parameter* getSlotParameter (int slot) const;
    int findSlotOf (const Parameter& parameter) const;
    UserSettingsFile getUserSettingsLocation() const;
    void addDebugParametersAndEvents();
    void addHostParameters();
    // The editor's own steps once createEditorComponent() has made it (its
    // layout without a skin, the debug panel in debug mode, the look and
    // feel sent through its widgets); defined with the editors too.
    void buildEditorComponent();
    void handleAsyncUpdate() override;

    std::unique_ptr<ParameterManager> parameters;
    std::unique_ptr<MidiControl> midiControl;
    EventsMap events;
    EditorZoom editorZoom;
    std::unique_ptr<juce::Component> editorComponent;
    juce::File moduleFile, pluginDirectory;
    // Set while the instance starts, read only afterwards.
    juce::Result startUpMapFailure = juce::Result::ok();

    juce::Array<Parameter*> hostSlots;
    juce::CriticalSection hostSlotsLock;
    juce::HashMap<int, int> indexToSlot;
    juce::CriticalSection indexToSlotLock;
    std::array<std::atomic<float>, maxHostSlots> hostValues {};
    std::array<std::atomic<int>, maxHostSlots> hostSetting {};
    std::map<int, float> builtValues;
    std::unique_ptr<Vst3Extension> vst3Extension;

    juce::Array<StateListener*> stateListeners;
    std::atomic<int> pendingStateRestored { 0 }, pendingStateSaved { 0 };
    std::atomic<int> pendingDisplayChanges { 0 };
    // While the instance starts the host has not seen it: nothing to refresh.
    std::atomic<bool> starting { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePlugin)
};
