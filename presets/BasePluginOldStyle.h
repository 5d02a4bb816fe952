#pragma once

#include "framework/BasePlugin.h"
#include "presets/PresetApplier.h"
#include "presets/PresetBank.h"
#include "presets/PresetChanger.h"
#include "presets/PresetManagerListener.h"

#include <atomic>

class IntParameter;
class StringParameter;

// The plug-in base with a bank of 128 presets in named groups. The current
// preset is published through "Current Preset Number" and "Current Preset
// Name"; the preset events of the event table are answered here, and the
// preset and bank files are read and written here.
//
// VST3 and LV2 hosts list the presets in use when the instance started as
// the plug-in's programs (the factory bank's presets), program i being
// preset i; choosing one changes to that preset. The VST 2.4 library shows
// no programs.
//
// Presets hold the values of the presetable parameters (ids 0 to 15). With
// automatic storing every change of such a parameter is written into the
// current preset at once; on demand only "Store current preset" and paste
// write it.
class BasePluginOldStyle : public BasePlugin,
                           public PresetApplier
{
public:
    using PresetChanger = ::PresetChanger;
    using PresetManagerListener = ::PresetManagerListener;

    static constexpr int numPresetableParameters = Preset::valueCount;
    // Parameters kept in the state but not in presets would take the ids
    // after the presetable ones; this framework has none.
    static constexpr int numNotPresetableParameters = 0;
    static constexpr int numPresets = PresetBank::numPresets;
    static constexpr int currentPresetNumberIndex = 110000;
    static constexpr int currentPresetNameIndex = 110001;

    enum StoringMode { storeAutomatically = 0, storeOnDemand = 1 };
    enum ChangingType { changeNormally = 0, changeSilently = 1 };
    enum DefaultPresetsMode { factoryPresets = 0, clearedPresets = 1, userDefinedPresets = 2 };

    explicit BasePluginOldStyle (const BusesProperties& buses = BusesProperties()
                                                                  .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                                                  .withOutput ("Output", juce::AudioChannelSet::stereo(), true));
    ~BasePluginOldStyle() override;

    //==============================================================================
    // The settings file's "ResourcesSettings" element: which presets fill the
    // bank and which MIDI map is loaded when an instance starts.
    virtual void loadResourcesSettings (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createResourcesSettingsXml();
    // Whether the storing mode and the changing type are user settings.
    virtual bool isStoringOptionAvailable() const;
    virtual bool isChangingOptionAvailable() const;

    // Older formats, answered by the compatibility layer; none here.
    virtual int getNumOldPresetFormats() const;
    virtual juce::String getOldPresetExtension (int format) const;
    virtual int getNumOldBankFormats() const;
    virtual juce::String getOldBankExtension (int format) const;

    // Parameters outside presets ("NotPresetableParams", formerly
    // "NotPresetParams"), set by name like the state's parameters.
    virtual bool isNotPresetableParamsXml (const juce::XmlElement& element) const;
    virtual void setNotPresetableParamsFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createNotPresetableParamsXml();

    // Readers and writers of preset and bank elements.
    virtual bool isPresetXml (const juce::XmlElement& element) const;
    virtual void readPresetXmlAt (const juce::XmlElement& element, int index);
    virtual void readPresetXml (const juce::XmlElement& element, Preset& preset);
    virtual std::unique_ptr<juce::XmlElement> createPresetXmlAt (int index);
    virtual std::unique_ptr<juce::XmlElement> createPresetXml (const Preset& preset);
    virtual bool isPresetGroupXml (const juce::XmlElement& element) const;
    virtual bool isPresetBankXml (const juce::XmlElement& element) const;
    // Replaces the whole bank; the current preset index is kept and not applied.
    virtual void readBankXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createBankXml();

    virtual int getNumOldMidiMapFormats() const;
    virtual juce::String getOldMidiMapExtension (int format) const;

    //==============================================================================
    void initialise() override;
    // A BasePluginEditorOldStyle (gui/editor/ProcessorEditors.cpp).
    std::unique_ptr<juce::Component> createEditorComponent() override;
    void handleEvent (int eventId) override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;

    void parameterChanged (Parameter* parameter) override;

    // The bank chunk: the live values of the state parameters, the bank with
    // the current preset's index, and the MIDI map. Restoring sets the values
    // and selects the preset without applying it, so a project gets back the
    // values it was saved with. The program chunk is the current preset.
    std::unique_ptr<juce::XmlElement> createStateXml() override;
    void setStateFromXml (const juce::XmlElement& element) override;
    std::unique_ptr<juce::XmlElement> createProgramStateXml() override;
    void setProgramStateFromXml (const juce::XmlElement& element) override;

    void loadUserSettings (const juce::XmlElement& element) override;
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override;

    //==============================================================================
    // Presets. Out-of-range indexes make every operation do nothing.
    Preset* getPreset (int index) const;
    bool getPresetCopy (int index, Preset& destination) const;
    juce::String getPresetName (int index) const;
    // Whether the bank took the name (it refuses out-of-range indexes).
    bool renamePreset (int index, const juce::String& name);
    void storePreset (int index);
    void selectPreset (int index, bool notify);
    void applyCurrentPreset() override;
    void applyCurrentPresetIfInBank();
    void changeToPreset (int index);
    void selectNextPreset();
    void selectPreviousPreset();
    void copyCurrentPreset();
    void pasteCopiedPreset();
    void clearPresets();

    int getCurrentPreset() const noexcept { return currentPreset.load(); }
    bool isPresetIndex (int index) const noexcept;
    juce::String getBankName() const;

    // Groups.
    int getNumGroups() const;
    juce::String getGroupName (int group) const;
    bool renameGroup (int group, const juce::String& name);
    int getGroupSize (int group) const;
    int getFirstPresetOfGroup (int group) const;
    int getLastPresetOfGroup (int group) const;
    int getPresetIndex (int group, int position) const;
    juce::String getPresetNameInGroup (int group, int position) const;
    int getGroupOfPreset (int index) const;
    void insertGroup (int position);
    void removeEmptyGroup (int group);

    // The moves keep the current preset current at its new index, without
    // notifying the preset parameters' listeners.
    void movePreset (int from, int to, int fromGroup, int toGroup);
    void movePresetsToGroup (int targetGroup, int sourceGroup, const juce::SparseSet<int>& selection);
    void moveGroup (int from, int to);

    void addPresetListener (PresetManagerListener* listener);
    void removePresetListener (PresetManagerListener* listener);

    //==============================================================================
    // Files. Unreadable or foreign files change less (as below), and the
    // result says why (FileFailure), for the editor to tell the user. Saving
    // replaces a wrong extension and never leaves a half-written file in
    // place of the old one.
    //
    // Loading a preset applies the current preset again when it was the
    // target, also when the file held no preset of this plug-in. A bank file
    // that is no bank leaves the bank as it was; one of another plug-in's
    // presets leaves empty presets in its groups.
    static constexpr const char* presetFileKind = "preset";
    static constexpr const char* bankFileKind = "preset bank";

    juce::Result loadPresetFile (const juce::File& file, int index);
    juce::Result savePresetFile (const juce::File& file, int index);
    juce::Result loadBankFile (const juce::File& file);
    juce::Result saveBankFile (const juce::File& file);
    bool loadDefaultPreset (const juce::String& resourceName);
    bool loadFactoryBank (const juce::String& resourceName);

    juce::String getPresetExtension() const;
    juce::String getBankExtension() const;
    juce::String getPresetOpenPattern() const;
    juce::String getBankOpenPattern() const;
    juce::String getPresetSavePattern() const;
    juce::String getBankSavePattern() const;
    juce::String getMidiMapOpenPattern() const;

    //==============================================================================
    // Preset settings.
    int getStoringMode() const noexcept { return storingMode.load(); }
    void setStoringMode (int mode) noexcept { storingMode.store (mode); }
    int getChangingType() const noexcept { return changingType.load(); }
    void setChangingType (int type) noexcept { changingType.store (type); }
    int getDefaultPresetsMode() const noexcept { return defaultPresetsMode.load(); }
    void setDefaultPresetsMode (int mode) noexcept { defaultPresetsMode.store (mode); }
    juce::String getUserDefinedPresetsFile() const;
    void setUserDefinedPresetsFile (const juce::String& path);
    juce::String getRecentDirectory() const;
    void setRecentDirectory (const juce::String& path);

    // Why the user's bank file did not fill the bank when the instance
    // started (the factory bank did instead), and that file; ok when it did,
    // or when the default presets are not user defined.
    const juce::Result& getStartUpBankFailure() const noexcept { return startUpBankFailure; }
    const juce::File& getStartUpBankFile() const noexcept { return startUpBankFile; }

    void setPresetChanger (PresetChanger* changer) noexcept { presetChanger.store (changer); }
    PresetChanger* getPresetChanger() const noexcept { return presetChanger.load(); }

    const Preset& getDefaultsPreset() const noexcept { return defaultsPreset; }
    const Preset& getClipboardPreset() const noexcept { return clipboardPreset; }
    bool hasCopiedPresetInClipboard() const noexcept { return hasCopiedPreset; }

private:
    // Tags of the plug-in's documents are compared without regard to case.
    static bool hasTag (const juce::XmlElement& element, juce::StringRef tag);

    void addPresetParameters();
    void fillBankByDefaultPresetsMode();
    bool loadUserBankAtStart();
    juce::Result describeRefusedPreset (const juce::XmlElement& root) const;
    juce::Result describeBank (const juce::XmlElement& root) const;
    void publishCurrentPreset (bool notify);
    void rememberFolderOf (const juce::File& file);
    void setPresetableValues (const Preset::Values& values);
    void readLiveValues (Preset& preset);
    void notifyPresetListeners();

    std::unique_ptr<juce::XmlElement> createParametersXml (juce::StringRef tag, int firstId, int count);
    void setParametersFromXml (const juce::XmlElement& element);
    void readPresetsState (const juce::XmlElement& element);
    void readRecentDirectories (const juce::XmlElement& element);
    void loadPresetSettings (const juce::XmlElement& element);
    void readDefaultPresets (const juce::XmlElement& element);
    void readStartUpMidiMap (const juce::XmlElement& element);

    bool hasHostPrograms() const noexcept;

    PresetBank bank;
    std::atomic<int> currentPreset { 0 };
    // Fixed when the instance starts: hosts size their program lists once.
    int numHostPrograms = 0;
    Preset defaultsPreset, clipboardPreset;
    bool hasCopiedPreset = false;

    IntParameter* presetNumberParameter = nullptr;
    StringParameter* presetNameParameter = nullptr;

    std::atomic<int> storingMode { storeOnDemand };
    std::atomic<int> changingType { changeNormally };
    std::atomic<int> defaultPresetsMode { factoryPresets };
    juce::String userDefinedPresetsFile, recentDirectory;
    juce::CriticalSection settingsLock;
    // Set while the instance starts, read only afterwards.
    juce::Result startUpBankFailure = juce::Result::ok();
    juce::File startUpBankFile;

    std::atomic<PresetChanger*> presetChanger { nullptr };
    juce::Array<PresetManagerListener*> presetListeners;
    juce::CriticalSection presetListenersLock;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginOldStyle)
};
